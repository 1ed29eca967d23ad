// The main window's closing: the unsaved-changes question, which File > Open asks too, and
// what the window leaves behind when it goes: its settings written for the next start and
// the scratch files of its reports removed.
#include <QCloseEvent>
#include <algorithm>
#include <string_view>
#include <vector>

#include "common/number_text.h"
#include "common/window_fit_ui.h"
#include "designer/window/controls.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"
#include "platform/encoding.h"
#include "platform/file_names.h"
#include "platform/messagebox.h"
#include "platform/settings.h"
#include "platform/textfile.h"
#include "designer/designer_settings.h"

namespace stagora::designer {
namespace {

// The smallest outer size of the window, frame, title and menu bar included.
constexpr int kMinOuterWidth = 800;
constexpr int kMinOuterHeight = 600;

// The diagram images go before the result documents that name them.
constexpr std::string_view kScratchExtensions[] = {".jpg", ".rex"};

// What a running viewer still shows stays; the clean-up of a later start takes it once nobody
// holds it and it is a day old.
void RemoveScratchFiles(const std::vector<std::string>& written) {
  std::vector<std::string> ordered;
  for (const std::string_view extension : kScratchExtensions) {
    for (const std::string& path : written) {
      if (std::string_view(path).ends_with(extension)) ordered.push_back(path);
    }
  }
  plat::RemoveUnheldScratchFiles(ordered);
}

}  // namespace

bool FormMain::AskToSaveChanges() {
  if (!Modificado) return true;
  const int answer =
      plat::MsgBoxUtf8(plat::Cp1252ToUtf8(MsgAsk2Save + "\r\n") + plat::ShownPath(ArchivoActual),
                       plat::kYesNoCancel | plat::kQuestion, kProductName);
  if (answer == plat::kNo) return true;
  if (answer != plat::kYes) return false;  // Cancel, or the box closed without an answer
  mnu_Archivo_SAVE_Click();
  // A failed save or a cancelled Save As leaves the changes unsaved: the design stays.
  return !Modificado;
}

void FormMain::Form_QueryUnload(int& Cancel) {
  if (!AskToSaveChanges()) Cancel = 1;
}

void FormMain::Form_Unload() {
  // Written on every unload, changed or not; the next start reads them back.
  plat::SaveSetting(kAppTitle, settings::kDecimalSymbol, SimboloDecimal);
  plat::SavePathSetting(kAppTitle, settings::kTableFolder, state_.PathTabla);
  plat::SavePathSetting(kAppTitle, settings::kProjectFolder, state_.PathArchivo);
  // The report's images and documents this designer wrote; another designer's, open on the
  // same scratch folder, what a viewer extracted there and what a viewer still shows stay.
  state_.ScratchFilesHeld.release();
  RemoveScratchFiles(state_.ScratchFilesWritten);
  state_.ScratchFilesWritten.clear();
}

void FormMain::KeepMinimumOuterSize() {
  // The frame is the window manager's and known only once the window is shown; until then the
  // load's estimate of it stands.
  if (!isVisible()) return;
  const int frameWidth = frameGeometry().width() - width();
  const int frameHeight = frameGeometry().height() - height();
  // On a screen smaller than that (a large scale factor, a small display) the screen is the
  // limit: a larger window would have its title bar out of reach.
  const QSize smallest = QSize(std::max(0, kMinOuterWidth - frameWidth), std::max(0, kMinOuterHeight - frameHeight))
                             .boundedTo(LargestClientSize(this));
  // A window below it grows to it at once.
  if (minimumSize() != smallest) setMinimumSize(smallest);
}

void FormMain::closeEvent(QCloseEvent* event) {
  int cancel = 0;
  Form_QueryUnload(cancel);
  if (cancel != 0) {
    event->ignore();
    return;
  }
  Form_Unload();
  event->accept();
}

}  // namespace stagora::designer
