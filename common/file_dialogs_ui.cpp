#include "common/file_dialogs_ui.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>

#include "common/file_filter.h"
#include "platform/encoding.h"
#include "platform/file_names.h"
#include "platform/messagebox.h"

namespace stagora {
namespace {

FileDialogHandler& Handler() {
  static FileDialogHandler handler;
  return handler;
}

// The name after the last "\", and of that the part after the last "/".
std::string LastComponent(std::string name) {
  for (const char separator : {'\\', '/'}) {
    const std::size_t at = name.rfind(separator);
    if (at != std::string::npos) name.erase(0, at + 1);
  }
  return name;
}

// Whether the name ends in the extension, its letters compared in either case the way the
// callers compare them before they append it: only A to Z fold. Qt's own comparison folds
// more (a long s is an s to it), and a name it took as having the extension would get it
// appended all the same, writing a file the dialog never asked about.
bool EndsWithExtension(const QString& name, const QString& extension) {
  const std::string bytes = plat::PathFromQt(name);
  const std::string tail = plat::PathFromQt(extension);
  if (tail.empty() || bytes.size() < tail.size()) return false;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (lower(bytes[bytes.size() - tail.size() + i]) != lower(tail[i])) return false;
  }
  return true;
}

// Qt's save dialog would hand back a file in a folder that does not exist, which no caller
// can write; like the open dialog with a missing file, it keeps the user in the dialog.
//
// The caller's extension is added only after the dialog has returned, so Qt would ask about
// the name as typed, which is not the file that gets replaced: the question about the file
// with its extension is asked here instead.
class FileDialog final : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;
  void setExtension(const QString& extension) { extension_ = extension; }

 protected:
  void accept() override {
    if (acceptMode() == AcceptSave) {
      const QStringList files = selectedFiles();
      if (!files.isEmpty()) {
        const QFileInfo chosen(files.front());
        if (!chosen.isDir() && !chosen.absoluteDir().exists()) {
          plat::MsgBoxUtf8(Text(QDir::toNativeSeparators(chosen.absolutePath())) + "\r\n" + kMissingFolderText,
                           plat::kExclamation, Text(windowTitle()));
          return;
        }
        if (!chosen.isDir() && !extension_.isEmpty() && !EndsWithExtension(files.front(), extension_)) {
          const QFileInfo written(files.front() + extension_);
          // A folder of that name cannot be replaced by a file: no question about replacing
          // it, and the user stays to choose another name.
          if (written.isDir()) {
            plat::MsgBoxUtf8(Text(QDir::toNativeSeparators(written.absoluteFilePath())) + "\r\n" + kFolderText,
                             plat::kExclamation, Text(windowTitle()));
            return;
          }
          if (written.exists()) {
            const std::string question = Text(QDir::toNativeSeparators(written.absoluteFilePath())) + "\r\n" +
                                         kReplaceText;
            const int style = plat::kYesNo | plat::kExclamation | plat::kDefaultButton2;
            if (plat::MsgBoxUtf8(question, style, Text(windowTitle())) != plat::kYes) return;
          }
          setOption(DontConfirmOverwrite, true);
          QFileDialog::accept();
          setOption(DontConfirmOverwrite, false);
          return;
        }
      }
    }
    QFileDialog::accept();
  }

 private:
  // What the message boxes here show: names as the dialog has them, in UTF-8.
  static std::string Text(const QString& s) { return s.toStdString(); }

  static constexpr char kMissingFolderText[] = "This folder does not exist. Check the path and try again.";
  static constexpr char kFolderText[] = "This is a folder, not a file. Choose another name.";
  static constexpr char kReplaceText[] = "This file already exists. Do you want to replace it?";
  QString extension_;
};

// Names a file's kind, and picks its icon, from its name alone. Qt's own provider looks into
// every file whose name does not tell its kind, for each file a dialog lists or its name
// field points at, and some files never answer: a device such as /proc/kmsg blocks the read
// for good, a stalled network folder as long as it stalls, and the dialog waits for them.
class NameOnlyIconProvider final : public QFileIconProvider {
 public:
  using QFileIconProvider::icon;
  QIcon icon(const QFileInfo& info) const override {
    if (info.isRoot()) return icon(Drive);
    return icon(info.isDir() ? Folder : File);
  }
  QString type(const QFileInfo& info) const override {
    if (!info.isFile()) return QFileIconProvider::type(info);  // folders and links: not read
    const QMimeType kind = mimeTypes_.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    return kind.comment().isEmpty() ? kind.name() : kind.comment();
  }

 private:
  QMimeDatabase mimeTypes_;
};

std::optional<QString> RunRealDialog(const FileDialogRequest& req) {
  // Outlives the dialog, whose file lister asks it from a thread of its own until the end.
  NameOnlyIconProvider icons;
  // The dialog lists its first folder as soon as it is made, before it can be given the
  // provider: it starts at the root, whose entries are folders, and moves on once it has it.
  FileDialog dialog(req.owner, req.title, QDir::rootPath());
  dialog.setIconProvider(&icons);
  // The callers remember the folders they want offered again, each once a file there was
  // read or written, so the dialog remembers none of its own.
  dialog.setDirectory(req.initialDir.isEmpty() ? QDir::currentPath() : req.initialDir);
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
    dialog.setExtension(req.extension);
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.front();
}

std::string Show(const FileDialogRequest& req) {
  const std::optional<QString> chosen = Handler() ? Handler()(req) : RunRealDialog(req);
  if (!chosen) return "";
  // Taken exactly as the dialog gives it: a blank at either end belongs to the name, and
  // trimming it would open or replace another file than the one chosen (or asked about).
  return plat::PathFromQt(*chosen);
}

FileDialogRequest MakeRequest(FileDialogRequest::Kind kind, const std::string& filter, const std::string& title,
                              const std::string& initialDir, QWidget* owner) {
  FileDialogRequest req;
  req.kind = kind;
  req.title = plat::Cp1252ToQString(title);
  for (const std::string& f : QtNameFilters(filter)) req.nameFilters.push_back(plat::Cp1252ToQString(f));
  req.initialDir = plat::QPath(initialDir);
  req.owner = owner;
  return req;
}

}  // namespace

std::string DlgAbrirArchivo(const std::string& filter, const std::string& title, const std::string& initialDir,
                            QWidget* owner) {
  return Show(MakeRequest(FileDialogRequest::Kind::Open, filter, title, initialDir, owner));
}

std::string DlgGuardarArchivo(const std::string& filter, const std::string& title, const std::string& initialDir,
                              const std::string& proposedName, QWidget* owner, const std::string& extension) {
  FileDialogRequest req = MakeRequest(FileDialogRequest::Kind::Save, filter, title, initialDir, owner);
  req.proposedName = plat::QPath(LastComponent(proposedName));
  req.extension = plat::Cp1252ToQString(extension);
  return Show(req);
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
  FileDialogHandler old = std::move(Handler());
  Handler() = std::move(handler);
  return old;
}

}  // namespace stagora
