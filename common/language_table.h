// The user-interface texts of one window, read from its language file
// "lang/ENG_WIN_<object code>.lmo" in the program folder (Windows-1252, CR LF). Each window owns
// one table with its own object code. A window whose file is missing or malformed simply has
// no texts: every lookup yields "" and tries the load again.
#pragma once

#include <string>
#include <vector>

namespace stagora {

class LanguageTable {
 public:
  // objectCode: the window's own object code ("MAI", "TXY", ...), loaded on the first lookup.
  // Without one, the first code LoadIdioma is given becomes the table's own.
  explicit LanguageTable(std::string objectCode = {});

  // Replaces the table with the file of OBJ when that file reads without error; otherwise the
  // table stays unloaded (and keeps what it held). Returns IdiomaCargado().
  bool LoadIdioma(const std::string& OBJ);

  // The text of the key Etiqueta (trimmed, case-insensitive), with "%CRLF%" turned into a line
  // break and, when RemoveAMPERSAND, every "&" removed. "" for a key that is not there. While
  // the table is unloaded every call tries to load the window's own file first.
  std::string GetL_win(const std::string& Etiqueta, bool RemoveAMPERSAND = false) const;

  bool IdiomaCargado() const { return IdiomaCargado_; }
  const std::string& ObjectCode() const { return objectCode_; }

  // Where the language files are looked for; empty (the default) means the program folder's
  // lang folder. Lets tests and tools read files of their own.
  void SetLanguageFolder(std::string folder) { folder_ = std::move(folder); }
  std::string LanguageFilePath(const std::string& OBJ) const;

 private:
  bool Load(const std::string& OBJ) const;

  std::string objectCode_;
  std::string folder_;
  // Filled lazily by the const lookup, hence mutable.
  mutable std::vector<std::string> IdiomaClaves_;
  mutable std::vector<std::string> IdiomaTextos_;
  mutable bool IdiomaCargado_ = false;
};

}  // namespace stagora
