// The open and save dialogs of both programs. They return the chosen full path, or "" when
// the user cancels; neither shows an error of its own.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace stagora {

// filter: "label|pattern|label|pattern..." (see file_filter.h) and title are Windows-1252;
// the folders, the proposed name and the result are paths, the system's own names (see
// platform/file_names.h). An empty initial folder opens the current folder. The result is the
// name exactly as chosen or typed, blanks at either end included. The dialogs name the kind of
// a file from its name and never read it.
std::string DlgAbrirArchivo(const std::string& filter, const std::string& title, const std::string& initialDir,
                            QWidget* owner);

// As the open dialog; the proposed name shows only its last component. The dialog asks before
// an existing file is replaced and adds no extension to what the user typed. A caller that
// appends `extension` to a name lacking it (its letters A to Z compared in either case) names
// it here, so that the question is asked about the file that will really be written.
std::string DlgGuardarArchivo(const std::string& filter, const std::string& title, const std::string& initialDir,
                              const std::string& proposedName, QWidget* owner, const std::string& extension = "");

// What a dialog is asked to show, already in the widget toolkit's terms.
struct FileDialogRequest {
  enum class Kind { Open, Save };
  Kind kind = Kind::Open;
  QString title;
  QStringList nameFilters;
  QString initialDir;
  QString proposedName;  // save only
  QString extension;     // save only: what the caller appends to a name lacking it
  QWidget* owner = nullptr;
};

// Test seam: answers a dialog in place of the user, with the path the dialog would return or
// nullopt for a cancel. An empty function restores the real dialog; the one replaced is
// returned.
using FileDialogHandler = std::function<std::optional<QString>(const FileDialogRequest&)>;
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

}  // namespace stagora
