// frmImprimir: the viewer's modal print dialog. The printer list, the copies box with its
// spinner, the collate option and the two picture buttons are the print dialogs' shared ones;
// its own are the layout with its two captioned frames, the choice of pages and the accepted
// range of copies. It prints nothing: it is told the view whose pages it chooses from, and
// its answer is the print request, handed back once it has closed.
#pragma once

#include <QImage>
#include <optional>

#include "common/print_dialog_ui.h"
#include "viewer/document/page_selection.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace stagora::viewer {

// The view whose pages the dialog chooses from: its page count and the page shown.
struct PrintedView {
  long PageCount = 0;
  int CurrentPage = 0;
};

// What the dialog hands back when it was closed with its Print button and a sound choice.
struct PrintRequest {
  // Which pages it prints: the flags (pages 1 to 199), or every page, every odd or every even
  // page of the view, also past page 199.
  PageFlags PrintPages{};
  PageRule PrintPageRule = PageRule::Flagged;
  long PrintCopies = 1;  // 1 to 499
  // Whole sets one after another (True) or each page's copies together (False).
  bool PrintCollate = true;
};

class frmImprimir : public PrintDialogBase {
 public:
  // Builds and loads the dialog over the view: every opening starts with all pages, " 1"
  // copy, collate on and the current printer selected.
  explicit frmImprimir(QWidget* parent = nullptr, PrintedView view = {});

  void SetLanguage();
  // Selects all pages. (The dialog opens while the main window is idle: its pointer is the
  // default one.)
  void Form_Activate();
  // The Print button: the dialog closes with its request when the copies lie within 1 to 499
  // and the pages can be read and name at least one page of the view; otherwise a message,
  // and the dialog stays open.
  void cmdImprimir_Click();
  // The Cancel button and Esc: nothing to print.
  void CmdCancelar_Click();
  // The request, once the dialog has closed with its Print button; nothing otherwise.
  const std::optional<PrintRequest>& Answer() const { return answer_; }
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
  const PrintedView view_;
  std::optional<PrintRequest> answer_;
};

// Shows the dialog modally over parent and returns its answer when it has closed: the
// request, or nothing to print.
std::optional<PrintRequest> ShowFrmImprimir(QWidget* parent, PrintedView view);

}  // namespace stagora::viewer
