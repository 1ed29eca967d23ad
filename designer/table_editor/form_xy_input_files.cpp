// The editor's exchange with the outside: table files (".vle") opened and saved, a project
// file's names and table opened, and rows cut, copied and pasted as text through the
// clipboard. All of it changes only the working copy, and the folder of table files the editor
// hands back; the main window sees nothing until the editor has closed.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <cerrno>

#include "common/file_dialogs_ui.h"
#include "designer/designer_names.h"
#include "designer/files/table_file.h"
#include "designer/table_editor/form_xy_input.h"
#include "platform/busy_pointer.h"
#include "platform/encoding.h"
#include "platform/file_names.h"
#include "platform/messagebox.h"
#include "platform/textfile.h"

namespace stagora::designer {
namespace {

constexpr const char* kLineEnd = "\r\n";

// The clipboard carries Unicode; the table's text is Windows-1252 with CR LF, kept as it is.
QString ClipboardText(const std::string& cp1252) { return QString::fromStdU16String(plat::Cp1252ToUtf16(cp1252)); }

}  // namespace

void FormXYinput::FileErrorMessage(const std::string& key, const std::string& path, int number,
                                   const std::string& description) {
  plat::MsgBoxUtf8(plat::Cp1252ToUtf8(GetL_win(key) + kLineEnd) + plat::ShownPath(path) +
                       plat::Cp1252ToUtf8(kLineEnd + std::to_string(number) + " - " + description),
                   plat::kExclamation, kProductName);
}

void FormXYinput::Abrir() {
  const std::string filter = GetL_win("VLE_files") + " (*.vle)|*.vle|" + GetL_win("STGR_files") + " (*.sgr)|*.sgr|" +
                             GetL_win("Allfiles") + " (*.*)|*.*";
  const std::string path = DlgAbrirArchivo(filter, GetL_win("Open"), answer_.PathTabla, this);
  if (path.empty()) return;

  VleTableFileRead read;
  std::optional<std::string> text;
  plat::FileError readError;
  {
    plat::BusyPointer busy;
    answer_.PathTabla = plat::FolderOf(path);
    text = plat::ReadTextFile(path, &readError, kLargestTableFile);
    // A file that cannot be read is one without a row block; the message says why it was not
    // read.
    read = ReadVleTableFile(text.value_or(std::string()));
    if (read.A) A = *read.A;
    if (read.B) B = *read.B;
  }
  if (!text) {
    FileErrorMessage("InvalidFormatFile", path, readError.number, readError.description);
    return;
  }
  if (!read.hasRows) {
    plat::MsgBoxUtf8(plat::Cp1252ToUtf8(GetL_win("InvalidFormatFile") + kLineEnd) + plat::ShownPath(path),
                     plat::kExclamation, kProductName);
    return;
  }
  X = read.X;
  Y = read.Y;
  ShowFromTop();
}

void FormXYinput::Guardar() {
  const std::string filter = GetL_win("VLE_files") + " (*.vle)|*.vle|" + GetL_win("Allfiles") + " (*.*)|*.*";
  const std::string name = DlgGuardarArchivo(filter, GetL_win("Save_as"), answer_.PathTabla, "", this,
                                             std::string(kTableExtension));
  if (name.empty()) return;
  const std::string path = WithTableExtension(name);

  std::string key;
  plat::FileError error;
  {
    plat::BusyPointer busy;
    answer_.PathTabla = plat::FolderOf(path);
    VleTableFile file;
    file.A = A;
    file.B = B;
    file.X = X;
    file.Y = Y;
    // The new file is written beside the old one and only then takes its name, so the old
    // file stays whole until the new one is complete, and stays as it was when writing fails.
    if (const std::optional<plat::FileError> refused = plat::CannotReplace(path)) {
      key = "CantOverWriteFile";
      error = *refused;
    } else if (!plat::WriteTextFile(path, VleTableFileText(file), &error)) {
      key = "CantSaveFile";
    } else if (!plat::FileExists(path)) {
      key = "CantSaveFile";
      error = {};
    }
  }
  if (!key.empty()) FileErrorMessage(key, path, error.number, error.description);
}

void FormXYinput::Copiar() {
  const std::string text = TableRowsClipboardText(X, Y);
  // With no complete row there is nothing to copy, and what the clipboard held stays.
  if (text.empty()) return;
  QGuiApplication::clipboard()->setText(ClipboardText(text));
}

void FormXYinput::Cortar() {
  Copiar();
  Borrar();
}

void FormXYinput::Pegar() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasText()) return;
  const std::vector<TableRowText> rows = ClipboardTableRows(plat::Utf16ToCp1252(data->text().toStdU16String()));
  if (!rows.empty()) {
    X.fill(kEmptyTableValue);
    Y.fill(kEmptyTableValue);
    for (std::size_t k = 0; k < rows.size(); ++k) {
      X[k] = rows[k].x;
      Y[k] = rows[k].y;
    }
  }
  ShowFromTop();
}

}  // namespace stagora::designer
