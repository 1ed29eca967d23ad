// A freshly started viewer main window for the window tests: no stored settings, a scratch
// folder of its own, and the window's state as at start-up.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/settings.h"
#include "platform/shell.h"
#include "platform/textfile.h"
#include "tests/support/scoped_hook.h"
#include "tests/support/test_support.h"
#include "viewer/app/engine_bridge.h"
#include "viewer/app/form_main.h"
#include "viewer/app/viewer_state.h"

namespace stagora::viewer::test {

// No test starts a program: the one started for a further document would be the test program
// itself.
inline bool RefuseToStartProgram(const std::string& program, const std::string& argument) {
  ADD_FAILURE() << "a test would start " << program << " " << argument;
  return false;
}

// Records the viewers a test would start for further documents, and starts none.
struct StartedViewers {
  std::vector<std::string> programs, documents;
  const stagora::test::ScopedHook<plat::StartProgramHandler> start{
      plat::SetStartProgramHandler, [this](const std::string& program, const std::string& argument) {
        programs.push_back(program);
        documents.push_back(argument);
        return true;
      }};
};

class ViewerWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    plat::SetSettingsFolder(stagora::test::ScratchDir("settings-" + name));
    plat::SetProgramFolder(stagora::test::ProgramDir());
    root = stagora::test::ScratchDir("viewer-" + name);
    std::filesystem::create_directories(root + "/tmp");
  }

  void TearDown() override { form.reset(); }

  // The window built as the program's start builds it, not yet loaded: its state as at
  // start-up, with the test's own temporary folder.
  FormMain& Make() {
    form = std::make_unique<FormMain>();
    form->State().TempPath = root + "/tmp";
    return *form;
  }

  // Loads the window as the program's start does, building it first unless the test has.
  FormMain& Load() {
    if (!form) Make();
    form->Form_Load();
    return *form;
  }

  // The state of the test's window (built, not loaded, when there is none yet).
  ViewerState& V() {
    if (!form) Make();
    return form->State();
  }

  // Writes a document file under the test's folder and returns its path.
  std::string WriteDocument(const std::string& name, const std::string& bytes) {
    const std::string path = root + "/" + name;
    EXPECT_TRUE(plat::WriteTextFile(path, bytes));
    return path;
  }

  // A designer document as the report writes it.
  static std::string DesignerDocument(const std::string& decimal = ".") {
    return "#DEC(" + decimal + "#DEC)\r\n\r\n#ENU(The statement&LFof the problem&LF#ENU)\r\n\r\n"
           "#SOL(The answer&LF#SOL)\r\n\r\n#RS1(Step a&LFStep b&LF#RS1)\r\n\r\n#RS2(Step x&LF#RS2)";
  }

  // Made before the window and gone after it: the window never starts a program.
  const stagora::test::ScopedHook<plat::StartProgramHandler> refuseStarts_{plat::SetStartProgramHandler,
                                                                          RefuseToStartProgram};
  std::string root;
  std::unique_ptr<FormMain> form;
};

}  // namespace stagora::viewer::test
