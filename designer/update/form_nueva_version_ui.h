// FormNuevaVersion: the small modal window that tells the user a newer version is out. It
// names the product, shows the download address as a link, the installed and the available
// version, advises closing the program before installing, and offers one button that opens
// the address and one that only closes. It shows the newer version the update check's
// answer announced.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "common/language_table.h"
#include "designer/update/update_info.h"

class QLabel;
class QLineEdit;

namespace stagora::designer {

class FormNuevaVersion : public QDialog {
 public:
  // newVersion: the version announced and its download address. homePage: the maker's home
  // page, offered when the download address cannot be opened, after noConnect, the first
  // line of that message.
  FormNuevaVersion(QWidget* parent, UpdateInfo newVersion, std::string homePage, std::string noConnect);

  // The window's own texts, object code "A2R".
  std::string GetL_win(const std::string& Etiqueta, bool RemoveAMPERSAND = false) const;
  void LoadIdioma(const std::string& OBJ);
  // Lays out the texts and the controls that follow their widths; does nothing while the
  // language file cannot be read, and the window keeps its built-in captions.
  void SetLanguage_VER();

  // --- Event handlers ----------------------------------------------------------------------
  // Index 0 opens the download address and closes; index 1 only closes.
  void Label3_Click(int Index);
  void Text1_Click();
  void Label3_MouseDown(int Index);
  void Label3_MouseUp(int Index);
  // Esc and C close, whichever control has the focus.
  void Form_KeyDown(int KeyCode);

  // --- Controls and form state -------------------------------------------------------------
  QWidget* Shape1 = nullptr;
  QWidget* Shape2 = nullptr;
  std::array<QLabel*, 6> Label1{};
  QLineEdit* Text1 = nullptr;
  QWidget* Image2 = nullptr;
  std::array<QWidget*, 2> Image1{};
  std::array<QLabel*, 2> Label3{};
  std::array<int, 2> BotonLeft{};
  std::array<int, 2> BotonTop{};

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 public:
  struct Captions {
    std::string headline, installed, available, advice, open, close;
  };

 private:
  void CreateControls();
  // Lays the controls out and gives them these texts, the address and the versions.
  void ApplyCaptions(const Captions& captions);
  void Form_Load();
  // Hands the download address to the desktop; a refused or non-web address shows why and where else to
  // look. The window closes either way.
  void OpenDownloadAddress(bool letEventsRun);

  LanguageTable idioma_{"A2R"};
  UpdateInfo newVersion_;
  std::string homePage_;
  std::string noConnect_;
};

// Shows the notice modally over parent and returns when it has closed. Does nothing while a
// notice is already open.
void ShowFormNuevaVersion(QWidget* parent, const UpdateInfo& newVersion, const std::string& homePage,
                          const std::string& noConnect);
// Whether a notice is open.
bool FormNuevaVersionShowing();

}  // namespace stagora::designer
