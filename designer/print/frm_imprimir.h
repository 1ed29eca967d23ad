// frmImprimir: the designer's modal print dialog. The printer list, the copies box with its
// spinner, the collate option and the two picture buttons are the print dialogs' shared
// ones; its own are the layout, the black-and-white option for the printed diagram, the
// accepted range of copies and what its buttons do. The caller says which options it shows;
// its answer is the print request (print_request.h), handed back once it has closed.
#pragma once

#include <optional>

#include "common/print_dialog_ui.h"
#include "designer/print/print_request.h"

class QCheckBox;
class QLabel;

namespace stagora::designer {

class frmImprimir : public PrintDialogBase {
 public:
  // Builds and loads the dialog with the options asked for: every opening starts with " 1"
  // copies, collate on, black and white off and the current printer selected.
  explicit frmImprimir(QWidget* parent = nullptr, PrintOptions shown = {});

  void SetLanguage();
  // The Print button: the dialog closes with its request when the count lies within 1 to
  // 1999; otherwise a message, and the dialog stays open.
  void Aceptar();
  // The Cancel button and Esc: nothing to print.
  void Cancelar();
  // The request, once the dialog has closed with its Print button; nothing otherwise.
  const std::optional<PrintRequest>& Answer() const { return answer_; }

  QLabel* Label2 = nullptr;     // caption of the printer list
  QWidget* Shape1 = nullptr;    // the white panel behind the options
  QCheckBox* ChK_BN = nullptr;  // black and white

 protected:
  void AcceptRequest() override { Aceptar(); }
  void CancelRequest() override { Cancelar(); }

 private:
  void Form_Load();

  const PrintOptions shown_;
  std::optional<PrintRequest> answer_;
};

// Shows the dialog modally over parent with the options asked for and returns its answer
// when it has closed: the request, or nothing to print.
std::optional<PrintRequest> ShowFrmImprimir(QWidget* parent, PrintOptions shown);

}  // namespace stagora::designer
