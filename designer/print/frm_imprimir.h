// frmImprimir: the designer's modal print dialog. The printer list, the copies box with its
// spinner, the collate option and the two picture buttons are the print dialogs' shared
// ones; its own are the layout, the black-and-white option for the printed diagram, the
// accepted range of copies and what its buttons do. Its only output is the print request
// (print_request.h), which the print command reads once the dialog has closed.
#pragma once

#include "common/print_dialog_ui.h"

class QCheckBox;
class QLabel;

namespace stagora::designer {

class frmImprimir : public PrintDialogBase {
 public:
  // Builds and loads the dialog: every opening starts with " 1" copies, collate on, black and
  // white off and the current printer selected.
  explicit frmImprimir(QWidget* parent = nullptr);

  void SetLanguage();
  // The Print button: the request is published when the count lies within 1 to 1999;
  // otherwise a message, and the dialog stays open.
  void Aceptar();
  // The Cancel button and Esc: nothing to print.
  void Cancelar();

  QLabel* Label2 = nullptr;     // caption of the printer list
  QWidget* Shape1 = nullptr;    // the white panel behind the options
  QCheckBox* ChK_BN = nullptr;  // black and white

 protected:
  void AcceptRequest() override { Aceptar(); }
  void CancelRequest() override { Cancelar(); }

 private:
  void Form_Load();
};

// Shows the dialog modally over parent and returns when it has closed.
void ShowFrmImprimir(QWidget* parent);

}  // namespace stagora::designer
