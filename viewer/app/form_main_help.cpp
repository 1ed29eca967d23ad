// The Help menu's About box: the start-up splash loaded again, which now shows the maker's
// links and stays until the user closes it.
#include <QTimer>

#include "viewer/app/form_main.h"
#include "viewer/app/splash.h"

namespace stagora::viewer {

void FormMain::mnu_Ayuda_ACE_Click() {
  FormSplash* about = LoadFormSplash();
  about->Timer1->stop();
  ShowSplashModal(about);
}

}  // namespace stagora::viewer
