// The Help menu's own commands: the PDF manual beside the program, the maker's web page and
// the About box, which is the start-up splash shown again until the user closes it.
#include <QTimer>

#include "common/web_address.h"
#include "designer/start/designer_splash_ui.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"
#include "platform/encoding.h"
#include "platform/file_names.h"
#include "platform/messagebox.h"
#include "platform/paths.h"
#include "platform/shell.h"
#include "platform/textfile.h"

namespace stagora::designer {
namespace {

constexpr const char* kManualName = "Manual_TROV.pdf";

}  // namespace

void FormMain::mnu_Ayuda_Manual_Click() {
  const std::string path = plat::JoinPath(plat::ProgramFolder(), kManualName);
  // A missing file is told apart here: handed to the desktop, a path that is not there would
  // be taken for a web address. The messages have the platform's own title, not the
  // product's.
  if (!plat::FileExists(path)) {
    plat::MsgBoxUtf8(plat::Cp1252ToUtf8(GetL_win("FileNotFoundOpen") + "\r\n") + plat::ShownPath(path),
                     plat::kExclamation);
    return;
  }
  // The desktop may learn only later that nothing here shows PDF files; the text is taken
  // now, the window may be gone by then.
  const std::string noProgramText = plat::Cp1252ToUtf8(GetL_win("NoPdfProgram") + "\r\n") + plat::ShownPath(path);
  const auto noProgram = [noProgramText] { plat::MsgBoxUtf8(noProgramText, plat::kExclamation); };
  if (!plat::OpenWithDesktop(path, noProgram)) noProgram();
}

void FormMain::mnu_Ayuda_WEB_Click() { AbrirURL(state_.Txt_HomePage, state_.Txt_No_connect); }

void FormMain::mnu_Ayuda_Acerca_Click() {
  // The start-up splash has closed by now, so the window loads as the About box, with its
  // links; stopping its timer all the same keeps it up until the user closes it.
  const SplashLinkTexts links{state_.Txt_HomePage, state_.Txt_No_connect, state_.Txt_No_EMailClient};
  FormSplash* about = LoadAboutBox(links, [this] {
    show();
    raise();
    activateWindow();
  });
  about->Timer1->stop();
  ShowSplashModal(about);
}

}  // namespace stagora::designer
