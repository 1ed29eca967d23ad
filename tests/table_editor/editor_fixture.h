// A loaded main window with its table editor: the editor built and loaded as EditarTABLA_ELV
// builds it, or the whole modal edit run with a script that plays the user.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "designer/table_editor/form_xy_input.h"
#include "tests/designer/main_window_fixture.h"
#include "tests/support/scripted_dialogs.h"

namespace stagora::test {

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
    editor = std::make_unique<designer::FormXYinput>(form.get(), form->TableEditStart());
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
