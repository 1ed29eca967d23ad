// The toolbar's nine buttons: the shown ones side by side from the left, the current view's
// button pressed; a click runs the command the button's key names, and a button looks pressed
// while the mouse button is held on it. Also the Help menu's manual and web page.
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

#include "platform/encoding.h"
#include "platform/file_names.h"
#include "platform/messagebox.h"
#include "platform/paths.h"
#include "platform/shell.h"
#include "platform/textfile.h"
#include "viewer/app/artwork.h"
#include "viewer/app/controls.h"
#include "viewer/app/form_main.h"
#include "viewer/app/viewer_state.h"

namespace stagora::viewer {
namespace {

constexpr int kFirstButtonLeft = 20;
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 53;
constexpr int kFirstViewButton = 4;  // ViewMode + this is the button of the view
constexpr double kCaptionFontSize = 8;
const QPoint kCaptionRest(0, 39);
const QPoint kCaptionPressed(1, 40);

// Each button's key, in the order a click looks them up.
constexpr std::array<const char*, kToolButtons> kButtonKeys = {"Abrir", "Guardar", "Imprimir", "Sinsol", "Solosol",
                                                               "Res1",  "Res2",    "Zoom",     "Ayuda"};

constexpr const char* kManualName = "Manual_OVDR_ENG.pdf";
// The maker's home page, handed to the desktop without a scheme.
constexpr const char* kHomePage = "www.norvath.example/ovedra";

// Pressed look of a toolbar button while a mouse button is held on it.
class ToolButtonFilter : public QObject {
 public:
  ToolButtonFilter(FormMain* form, int index) : QObject(form->PicToolB[index]), form_(form), index_(index) {
    form->PicToolB[index]->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) form_->PicToolB_MouseDown(index_);
    if (event->type() == QEvent::MouseButtonRelease) form_->PicToolB_MouseUp(index_);
    return false;
  }

 private:
  FormMain* form_;
  int index_;
};

}  // namespace

void FormMain::ConnectToolbar() {
  for (int i = 0; i < kToolButtons; ++i) {
    PicToolB[i]->setProperty("Tag", kButtonKeys[i]);
    PicToolB[i]->onClick = [this, i] { PicToolB_Click(i); };
    new ToolButtonFilter(this, i);
  }
}

void FormMain::ActualizarBotones() {
  int x = 0;
  for (int i = 0; i < kToolButtons; ++i) {
    if (ToolButtonVisible[i]) {
      PicToolB[i]->setGeometry(x + kFirstButtonLeft, 0, kButtonWidth, kButtonHeight);
      x += kButtonWidth;
      LblBut[i]->setGeometry(0, 39, 60, 15);
      LblBut[i]->setFont(ScaledFont("Arial", kCaptionFontSize));
      const long mode = state_.ViewMode;
      const bool pressed = mode >= kViewStatement && mode <= kViewResolution2 && i == mode + kFirstViewButton;
      PicToolB[i]->setPicture(ToolButtonFace(i, pressed));
    }
    PicToolB[i]->setVisible(ToolButtonVisible[i]);
  }
}

void FormMain::PicToolB_Click(int Index) {
  if (Index < 0 || Index >= kToolButtons) return;
  const std::string key = PicToolB[Index]->property("Tag").toString().toStdString();
  if (key == "Abrir") {
    mnu_File_Open_Click();
  } else if (key == "Guardar") {
    mnu_File_SaveAs_Click();
  } else if (key == "Imprimir") {
    mnu_File_Print_Click();
  } else if (key == "Sinsol") {
    NoSoluciones();
  } else if (key == "Solosol") {
    SoloSolucion();
  } else if (key == "Res1") {
    Resolucion1();
  } else if (key == "Res2") {
    Resolucion2();
  } else if (key == "Zoom") {
    mnu_zoom->popup(QCursor::pos());
  } else if (key == "Ayuda") {
    mnu_Ayuda->popup(QCursor::pos());
  }
}

void FormMain::PicToolB_MouseDown(int Index) {
  PicToolB[Index]->setPicture(ToolButtonFace(Index, true));
  LblBut[Index]->move(kCaptionPressed);
}

void FormMain::PicToolB_MouseUp(int Index) {
  PicToolB[Index]->setPicture(ToolButtonFace(Index, false));
  LblBut[Index]->move(kCaptionRest);
}

void FormMain::mnu_Ayuda_MAN_Click() {
  const std::string path = plat::JoinPath(plat::ProgramFolder(), kManualName);
  const std::string title = plat::Cp1252ToUtf8(GetL_win("Error"));
  // A missing file is told apart here: handed to the desktop, a path that is not there would
  // be taken for a web address.
  if (!plat::FileExists(path)) {
    plat::MsgBoxUtf8(plat::Cp1252ToUtf8(GetL_win("FileNotFoundOpen") + "\r\n") + plat::ShownPath(path),
                     plat::kExclamation, title);
    return;
  }
  // The desktop may learn only later that nothing here shows PDF files; the text is taken
  // now, the window may be gone by then.
  const std::string noProgramText = plat::Cp1252ToUtf8(GetL_win("NoPdfProgram") + "\r\n") + plat::ShownPath(path);
  const auto noProgram = [noProgramText, title] { plat::MsgBoxUtf8(noProgramText, plat::kExclamation, title); };
  if (!plat::OpenWithDesktop(path, noProgram)) noProgram();
}

void FormMain::mnu_Ayuda_WEB_Click() { AbrirURL(kHomePage); }

}  // namespace stagora::viewer
