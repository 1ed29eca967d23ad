// A freshly started main window for the designer's window tests: no stored settings, the
// window's state as at start-up, and a locale of the test's choice.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QTest>
#include <memory>
#include <string>

#include "common/number_text.h"
#include "designer/window/form_main.h"
#include "platform/paths.h"
#include "platform/settings.h"
#include "tests/support/test_support.h"

namespace stagora::test {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    plat::SetSettingsFolder(ScratchDir(std::string("settings-") + info->test_suite_name() + "-" + info->name()));
    plat::SetProgramFolder(ProgramDir());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  }

  void TearDown() override {
    form.reset();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    plat::SetProgramFolder(ProgramDir());
  }

  // Builds and loads the window as the program's start does, with tempPath as its temporary
  // folder.
  designer::FormMain& Load() {
    form = std::make_unique<designer::FormMain>();
    form->State().TempPath = tempPath;
    form->Form_Load();
    return *form;
  }

  std::unique_ptr<designer::FormMain> form;
  std::string tempPath;  // "" as a start without a temporary folder
};

// The window shown and activated (activation recalculates), with Calcular's runs counted from
// then on.
class ShownWindowTest : public MainWindowTest {
 protected:
  designer::FormMain& Show() {
    designer::FormMain& w = Load();
    w.show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    QApplication::processEvents();
    base_ = w.CalcularRuns;
    return w;
  }

  // Runs of Calcular since the window was shown or the count was last reset.
  long Calculations() const { return form->CalcularRuns - base_; }
  void ResetCalculations() { base_ = form->CalcularRuns; }

 private:
  long base_ = 0;
};

}  // namespace stagora::test
