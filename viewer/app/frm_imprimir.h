// frmImprimir: the viewer's modal print dialog. The printer list, the copies box with its
// spinner, the collate option and the two picture buttons are the print dialogs' shared ones;
// its own are the layout with its two captioned frames, the choice of pages and the accepted
// range of copies. It prints nothing: it publishes the print request (PrintAccepted,
// PrintPages, PrintPageRule, PrintCopies, PrintCollate in viewer_state.h), which the print
// command reads once the dialog has closed.
#pragma once

#include <QImage>

#include "common/print_dialog_ui.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace stagora::viewer {

class frmImprimir : public PrintDialogBase {
 public:
  // Builds and loads the dialog: every opening starts with all pages, " 1" copy, collate on
  // and the current printer selected.
  explicit frmImprimir(QWidget* parent = nullptr);

  void SetLanguage();
  // Selects all pages; the pointer back to its default.
  void Form_Activate();
  // The Print button: the request is published when the copies lie within 1 to 499 and the
  // pages can be read and name at least one page of the view; otherwise a message, and the
  // dialog stays open.
  void cmdImprimir_Click();
  // The Cancel button and Esc: nothing to print.
  void CmdCancelar_Click();
  // Typing a list of pages chooses the list.
  void Text2_Change();

  QRadioButton* Option1 = nullptr;  // all pages
  QRadioButton* Option2 = nullptr;  // the pages of the list
  QRadioButton* Option3 = nullptr;  // the current page
  QRadioButton* Option4 = nullptr;  // odd pages
  QRadioButton* Option5 = nullptr;  // even pages
  QLineEdit* Text2 = nullptr;       // the list of pages and ranges
  QLabel* Label5 = nullptr;         // how to write the list
  std::array<QWidget*, 2> Shape1{}; // the areas inside the two frames
  QWidget* Shape2 = nullptr;        // the band at the foot, behind the buttons

 protected:
  void AcceptRequest() override { cmdImprimir_Click(); }
  void CancelRequest() override { CmdCancelar_Click(); }
  void paintEvent(QPaintEvent*) override;
  void showEvent(QShowEvent*) override;

 private:
  void Form_Load();
  // What the dialog paints behind its controls: the striped ground and the two frames.
  void PaintBackground();
  QImage background_;
};

// Shows the dialog modally over parent and returns when it has closed.
void ShowFrmImprimir(QWidget* parent);

}  // namespace stagora::viewer
