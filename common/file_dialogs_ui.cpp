#include "common/file_dialogs_ui.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "common/file_filter.h"
#include "platform/encoding.h"
#include "platform/messagebox.h"

namespace stagora {
namespace {

FileDialogHandler& Handler() {
  static FileDialogHandler handler;
  return handler;
}

QString Q(const std::string& cp1252) { return QString::fromStdU16String(plat::Cp1252ToUtf16(cp1252)); }

// The name after the last "\", and of that the part after the last "/".
std::string LastComponent(std::string name) {
  for (const char separator : {'\\', '/'}) {
    const std::size_t at = name.rfind(separator);
    if (at != std::string::npos) name.erase(0, at + 1);
  }
  return name;
}

std::string TrimBlanks(const std::string& s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Qt's save dialog would hand back a file in a folder that does not exist, which no caller
// can write; like the open dialog with a missing file, it keeps the user in the dialog.
class FileDialog final : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;

 protected:
  void accept() override {
    if (acceptMode() == AcceptSave) {
      const QStringList files = selectedFiles();
      if (!files.isEmpty()) {
        const QFileInfo chosen(files.front());
        if (!chosen.isDir() && !chosen.absoluteDir().exists()) {
          const std::string folder =
              plat::Utf16ToCp1252(QDir::toNativeSeparators(chosen.absolutePath()).toStdU16String());
          plat::MsgBox(folder + "\r\n" + kMissingFolderText, plat::kExclamation,
                       plat::Utf16ToCp1252(windowTitle().toStdU16String()));
          return;
        }
      }
    }
    QFileDialog::accept();
  }

 private:
  static constexpr char kMissingFolderText[] = "This folder does not exist. Check the path and try again.";
};

std::optional<QString> RunRealDialog(const FileDialogRequest& req) {
  FileDialog dialog(req.owner, req.title, req.initialDir);
  // The labels of our lists already name their patterns; Qt's bracketed copy stays hidden.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  if (!req.nameFilters.isEmpty()) dialog.setNameFilters(req.nameFilters);
  if (req.kind == FileDialogRequest::Kind::Open) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!req.proposedName.isEmpty()) dialog.selectFile(req.proposedName);
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.front();
}

std::string Show(const FileDialogRequest& req) {
  const std::optional<QString> chosen = Handler() ? Handler()(req) : RunRealDialog(req);
  if (!chosen) return "";
  return TrimBlanks(plat::Utf16ToCp1252(chosen->toStdU16String()));
}

FileDialogRequest MakeRequest(FileDialogRequest::Kind kind, const std::string& filter, const std::string& title,
                              const std::string& initialDir, QWidget* owner) {
  FileDialogRequest req;
  req.kind = kind;
  req.title = Q(title);
  for (const std::string& f : QtNameFilters(filter)) req.nameFilters.push_back(Q(f));
  req.initialDir = Q(initialDir);
  req.owner = owner;
  return req;
}

}  // namespace

std::string DlgAbrirArchivo(const std::string& filter, const std::string& title, const std::string& initialDir,
                            QWidget* owner) {
  return Show(MakeRequest(FileDialogRequest::Kind::Open, filter, title, initialDir, owner));
}

std::string DlgGuardarArchivo(const std::string& filter, const std::string& title, const std::string& initialDir,
                              const std::string& proposedName, QWidget* owner) {
  FileDialogRequest req = MakeRequest(FileDialogRequest::Kind::Save, filter, title, initialDir, owner);
  req.proposedName = Q(LastComponent(proposedName));
  return Show(req);
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
  FileDialogHandler old = std::move(Handler());
  Handler() = std::move(handler);
  return old;
}

}  // namespace stagora
