// A loaded main window with its table editor: the editor built and loaded as EditarTABLA_ELV
// builds it, or the whole modal edit run with a script that plays the user.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "common/file_dialogs_ui.h"
#include "designer/table_editor/form_xy_input.h"
#include "tests/designer/main_window_fixture.h"

namespace stagora::test {

// Answers the file dialogs in turn with scripted paths (nullopt: cancel) and keeps what they
// were asked.
class ScriptedDialogs {
 public:
  ScriptedDialogs() {
    previous_ = SetFileDialogHandler([this](const FileDialogRequest& req) -> std::optional<QString> {
      requests.push_back(req);
      if (answers_.empty()) {
        ADD_FAILURE() << "a file dialog nobody expected";
        return std::nullopt;
      }
      const std::optional<std::string> answer = answers_.front();
      answers_.pop_front();
      if (!answer) return std::nullopt;
      return QString::fromStdString(*answer);
    });
  }
  ~ScriptedDialogs() { SetFileDialogHandler(std::move(previous_)); }
  void answer(std::optional<std::string> path) { answers_.push_back(std::move(path)); }
  std::vector<FileDialogRequest> requests;

 private:
  std::deque<std::optional<std::string>> answers_;
  FileDialogHandler previous_;
};

class TableEditorTest : public MainWindowTest {
 protected:
  void TearDown() override {
    editor.reset();
    WheelUnhook();
    MainWindowTest::TearDown();
  }

  // The main window, loaded, and its editor, loaded, shown and active (not modal).
  designer::FormXYinput& OpenEditor() {
    if (!form) Load();
    editor = std::make_unique<designer::FormXYinput>(*form);
    editor->Form_Load();
    editor->show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    return *editor;
  }

  // Runs EditarTABLA_ELV with user playing the open editor. The editor must be closed by the
  // script; one left open is cancelled and the test fails.
  void EditTable(const std::function<void(designer::FormXYinput&)>& user) {
    if (!form) Load();
    bool played = false;
    QTimer::singleShot(0, [&] {
      auto* open = dynamic_cast<designer::FormXYinput*>(QApplication::activeModalWidget());
      if (!open) {
        ADD_FAILURE() << "the table editor is not shown modally";
        for (QWidget* w : QApplication::topLevelWidgets()) {
          if (auto* e = dynamic_cast<designer::FormXYinput*>(w)) e->reject();
        }
        return;
      }
      played = true;
      user(*open);
      if (open->isVisible()) {
        ADD_FAILURE() << "the script left the table editor open";
        open->reject();
      }
    });
    form->EditarTABLA_ELV();
    EXPECT_TRUE(played);
  }

  // Types text into a cell as the user would: the cell entered, its text replaced.
  static void Type(QLineEdit* cell, const QString& text) {
    cell->setFocus();
    cell->selectAll();
    cell->insert(text);
  }

  std::unique_ptr<designer::FormXYinput> editor;
};

}  // namespace stagora::test
