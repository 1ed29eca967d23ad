// The main window's project commands: open a project file, save it under its name or a new
// one, and clear the design. The file's text is read and checked whole by the project-file
// core before anything on the screen changes, so a file whose rows are refused leaves the
// design, the table and the current file name exactly as they were.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <cerrno>

#include "common/file_dialogs_ui.h"
#include "designer/files/project_file.h"
#include "designer/window/controls.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"
#include "platform/busy_pointer.h"
#include "platform/encoding.h"
#include "platform/file_names.h"
#include "platform/messagebox.h"
#include "platform/textfile.h"

namespace stagora::designer {
namespace {

constexpr const char* kLineEnd = "\r\n";

// The main-window field of each tag.
constexpr std::array<int, kProjectTagCount> kFieldOfTag = {16, 17, 1, 2, 3, 5, 4, 6, 15};
// Opening fills the fields in this order; each filled field runs its change handling, and the
// first name's recalculates.
constexpr std::array<ProjectTag, kProjectTagCount> kFillOrder = {kTagA,  kTagB, kTagAlpha, kTagZF, kTagXD,
                                                                 kTagXB, kTagR, kTagQ,     kTagE};

std::string FieldText(const QLineEdit* field) { return plat::Utf16ToCp1252(field->text().toStdU16String()); }

std::string ErrorText(const plat::FileError& error) {
  return "Error : " + std::to_string(error.number) + " - " + error.description;
}

}  // namespace

void FormMain::Abrir() {
  const std::string filter = GetL_win("STGR_files") + "  (*.sgr)|*.sgr|" + state_.Txt_AllFiles + "  (*.*)|*.*";
  const std::string path = DlgAbrirArchivo(filter, state_.Txt_File_Open, state_.PathArchivo, this);
  if (path.empty()) return;
  state_.PathArchivo = plat::FolderOf(path);

  ProjectFileRead project;
  std::optional<std::string> text;
  plat::FileError readError;
  {
    plat::BusyPointer busy;
    text = plat::ReadTextFile(path, &readError, kLargestProjectFile);
    // A file that cannot be read is no project either; the message says why it was not read.
    project = ReadProjectFile(text.value_or(std::string()));
  }
  if (text && project.NoRowBlock()) {
    // A file cut off inside its rows still shows what its tags hold, with the table and the
    // mode left as they were; it becomes an untitled project, so that saving asks for a name
    // instead of writing over another file. A file that could not be read changes nothing.
    FillFieldsFromTags(project);
    Calcular(*Picture1, false);
    Modificado = false;
    ArchivoActual.clear();
  }
  if (!project.ok()) {
    std::string message = plat::Cp1252ToUtf8(GetL_win(project.errorKey) + ".") + kLineEnd + plat::ShownPath(path);
    if (!text) message += plat::Cp1252ToUtf8(kLineEnd + ErrorText(readError));
    plat::MsgBoxUtf8(message, plat::kExclamation, kProductName);
    return;
  }

  FillFieldsFromTags(project);
  state_.TablaELV = project.table;
  // The lookup tables always follow the opened table, also in relative-volatility mode, so
  // that switching to the table later never computes with another project's curve. A table
  // they cannot be built from leaves them empty rather than stale.
  if (CrearSuperTABLA_ELV(state_.TablaELV, state_.SuperTablasELV).has_value()) state_.SuperTablasELV = EquilibriumLookup();
  // The mode as the options' click handling sets it; the recalculation follows once below.
  state_.UsarTabla = project.TableMode();
  (state_.UsarTabla ? OptTAB : OptVOL)->setChecked(true);
  Calcular(*Picture1, false);
  Modificado = false;
  ArchivoActual = path;
}

void FormMain::FillFieldsFromTags(const ProjectFileRead& project) {
  Borrar();
  for (const ProjectTag tag : kFillOrder) {
    if (project.values[tag]) Text[kFieldOfTag[tag]]->setText(QText(*project.values[tag]));
  }
}

void FormMain::Save(const std::string& nombre) {
  ProjectFile project;
  for (int tag = 0; tag < kProjectTagCount; ++tag) project.values[tag] = FieldText(Text[kFieldOfTag[tag]]);
  // The equilibrium the design is calculated with: the table's option shows before a table is
  // in force, and a file that said table then would reopen as another design.
  project.VleTable = state_.UsarTabla;
  project.table = state_.TablaELV;

  // The new file is written beside the old one and only then takes its name, so the old file
  // stays whole until the new one is complete, and stays as it was when writing fails (unless
  // it can only be written in place, see file_replacement.h).
  std::string key;
  plat::FileError error;
  {
    plat::BusyPointer busy;
    if (const std::optional<plat::FileError> refused = plat::CannotReplace(nombre)) {
      key = "CantOverWriteFile";
      error = *refused;
    } else if (!plat::WriteTextFile(nombre, ProjectFileText(project), &error)) {
      key = "CantSaveFile";
    } else if (!plat::FileExists(nombre)) {
      key = "CantSaveFile";
      error = {};
    }
  }
  if (!key.empty()) {
    plat::MsgBoxUtf8(plat::Cp1252ToUtf8(GetL_win(key) + ":") + kLineEnd + plat::ShownPath(nombre) +
                         plat::Cp1252ToUtf8(kLineEnd + ErrorText(error)),
                     plat::kExclamation, kProductName);
    return;
  }
  ArchivoActual = nombre;
  Modificado = false;
}

void FormMain::Save_As() {
  const std::string filter = GetL_win("STGR_files") + "  (*.sgr)|*.sgr|" + state_.Txt_AllFiles + "  (*.*)|*.*";
  const std::string name =
      DlgGuardarArchivo(filter, GetL_win("File_Save", true), state_.PathArchivo, "", this, std::string(kProjectExtension));
  if (name.empty()) return;
  Save(WithProjectExtension(name));
}

void FormMain::Borrar() {
  state_.BloqueoChange = true;
  for (int n = 1; n <= 15; ++n) Text[n]->setText(QString());
  Picture1->surface().cls();
  Picture1->update();
  for (QLabel* label : Label2) label->hide();
  LblCOOR->hide();
  state_.BloqueoChange = false;
  Modificado = false;
}

}  // namespace stagora::designer
