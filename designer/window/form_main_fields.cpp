// What the main window's fields do: entering a field selects its text, the comma and point
// keys both type the current decimal symbol, every change of a numeric field re-places the
// slider knobs, Enter recalculates, and the name of the more volatile component rebuilds the
// axis captions; the names take only what the files' code page holds. The decimal-symbol items
// rewrite every number in the new symbol.
#include <QAction>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>
#include <algorithm>
#include <functional>

#include "common/number_text.h"
#include "common/web_address.h"
#include "designer/window/controls.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"
#include "designer/designer_names.h"
#include "platform/encoding.h"
#include "platform/messagebox.h"

namespace stagora::designer {
namespace {

// The families of fields, by number.
constexpr std::array<int, 7> kDesignInputs = {field::kAlpha,        field::kThermalQ,     field::kXFeed,
                                               field::kXDistillate,  field::kXBottoms,     field::kRefluxRatio,
                                               field::kEfficiency};
constexpr std::array<int, 8> kKnobFields = {field::kAlpha,        field::kThermalQ,     field::kXFeed,
                                            field::kXDistillate,  field::kXBottoms,     field::kRefluxRatio,
                                            field::kMinRefluxRatio, field::kEfficiency};
constexpr std::array<int, 12> kSelectOnEntry = {
    field::kAlpha,          field::kThermalQ,  field::kXFeed,       field::kXDistillate,
    field::kXBottoms,       field::kRefluxRatio, field::kMinRefluxRatio, field::kFeedPlate,
    field::kRealPlates,     field::kEfficiency,  field::kMoreVolatileName, field::kLessVolatileName};
// The fields the decimal-symbol switch rewrites: every number field, results included.
constexpr int kLastNumberField = field::kEfficiency;

template <std::size_t N>
bool In(const std::array<int, N>& family, int n) {
  return std::find(family.begin(), family.end(), n) != family.end();
}

std::string FieldText(const QLineEdit* field) { return plat::Utf16ToCp1252(field->text().toStdU16String()); }

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

bool IsReturningFocus(Qt::FocusReason reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// The characters of the text the files' code page lacks, each once, in the order they come.
QString OutsideCodePage(const QString& text) {
  QString outside;
  for (const char32_t c : text.toUcs4()) {
    const QString one = QString::fromUcs4(&c, 1);
    if (!plat::FitsCp1252(one.toStdU16String()) && !outside.contains(one)) outside += one;
  }
  return outside;
}

// The component names go into the project file, the printout and the worked solution in the
// code page of the files: a character it lacks is refused as it is typed or pasted, so that the
// name shown is the name saved. The field keeps what it held, and the user is told which
// characters were not taken and why.
class CodePageValidator : public QValidator {
 public:
  CodePageValidator(QObject* parent, std::function<void(const QString&)> refused)
      : QValidator(parent), refused_(std::move(refused)) {}
  State validate(QString& input, int&) const override {
    if (plat::FitsCp1252(input.toStdU16String())) return Acceptable;
    // Told once the field is done with the input: a message box opened from inside the
    // field's own editing would run the window's events in the middle of it.
    if (!pending_) {
      pending_ = true;
      QMetaObject::invokeMethod(
          const_cast<CodePageValidator*>(this),
          [this, outside = OutsideCodePage(input)] {
            pending_ = false;
            refused_(outside);
          },
          Qt::QueuedConnection);
    }
    return Invalid;
  }

 private:
  std::function<void(const QString&)> refused_;
  mutable bool pending_ = false;
};

// Hands the focus and key events of the main window's fields to its field handlers.
class FieldEvents : public QObject {
 public:
  explicit FieldEvents(FormMain* form) : QObject(form), form_(form) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    const int n = FieldNumber(watched);
    if (n == 0) return false;
    switch (event->type()) {
      case QEvent::FocusIn:
        // Focus handed back when the window is reactivated (a dialog closed, the user came
        // back from another program) or a menu closed is no entering of the field: it must
        // neither mark the design modified nor throw away the user's caret.
        if (IsReturningFocus(static_cast<QFocusEvent*>(event)->reason())) return false;
        if (n == field::kLessVolatileName) {
          form_->Text17_GotFocus();
        } else {
          form_->Text_GotFocus(n);
        }
        return false;
      case QEvent::KeyPress:
        return KeyPress(n, static_cast<QKeyEvent*>(event));
      default:
        return false;
    }
  }

 private:
  int FieldNumber(const QObject* watched) const {
    for (int n = 1; n < static_cast<int>(form_->Text.size()); ++n) {
      if (form_->Text[n] == watched) return n;
    }
    return 0;
  }

  bool KeyPress(int n, QKeyEvent* key) {
    if (!In(kDesignInputs, n)) return false;
    form_->Text_KeyDown(n, key->key());
    constexpr Qt::KeyboardModifiers kCommand = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if ((key->modifiers() & kCommand) || key->text().size() != 1) return false;
    const QChar typed = key->text().front();
    if (typed != u',' && typed != u'.') return false;
    const char becomes = form_->Text_KeyPress(n, static_cast<char>(typed.unicode()));
    if (becomes == typed.unicode()) return false;
    form_->Text[n]->insert(QString(QChar(becomes)));
    return true;
  }

  FormMain* form_;
};

}  // namespace

void FormMain::ConnectFieldHandlers() {
  for (const int n : kKnobFields) {
    connect(Text[n], &QLineEdit::textChanged, this, [this, n] { Text_Change(n); });
  }
  connect(Text[field::kMoreVolatileName], &QLineEdit::textChanged, this, [this] { Text16_Change(); });
  for (const int n : {field::kMoreVolatileName, field::kLessVolatileName}) {
    Text[n]->setValidator(new CodePageValidator(Text[n], [this](const QString& outside) {
      // The characters are shown as they are, which the code page of the texts cannot do.
      std::string text = plat::Cp1252ToUtf8(GetL_win("NameOutsideCodePage"));
      ReplaceAll(text, "%CHARS%", outside.toStdString());
      plat::MsgBoxUtf8(text, plat::kExclamation, kProductName);
    }));
  }
  fieldEvents_ = new FieldEvents(this);
  for (int n = 1; n < static_cast<int>(Text.size()); ++n) {
    if (In(kSelectOnEntry, n)) Text[n]->installEventFilter(fieldEvents_);
  }
}

void FormMain::Text_GotFocus(int Index) {
  // Entering a field selects its text, so typing replaces it.
  if (In(kSelectOnEntry, Index)) Text[Index]->selectAll();
}

void FormMain::Text17_GotFocus() {
  // The second name has no change handler; entering it is what counts as editing it.
  Text[field::kLessVolatileName]->selectAll();
  Modificado = true;
}

char FormMain::Text_KeyPress(int Index, char KeyAscii) const {
  if (!In(kDesignInputs, Index)) return KeyAscii;
  // Without a symbol (only a damaged setting gives none) the key types what it says.
  if ((KeyAscii == ',' || KeyAscii == '.') && !SimboloDecimal.empty()) return SimboloDecimal.front();
  return KeyAscii;
}

void FormMain::Text_Change(int Index) {
  if (In(kKnobFields, Index)) ReajustarCursores();
}

void FormMain::Text_KeyDown(int Index, int KeyCode) {
  // A change alone only moves the knobs; Enter is what recalculates, also when nothing changed.
  if (!In(kDesignInputs, Index)) return;
  if (KeyCode == Qt::Key_Return || KeyCode == Qt::Key_Enter) Calcular(*Picture1, false);
}

void FormMain::Text16_Change() {
  const std::string name = Trim(FieldText(Text[field::kMoreVolatileName]));
  if (!name.empty()) {
    const std::string withParticle = PrepDE(name, false);
    auto caption = [&](const char* key) {
      std::string t = GetL_win(key);
      ReplaceAll(t, "%NC%", name);
      ReplaceAll(t, "%deNC%", withParticle);
      return t;
    };
    RotuloEjeX = caption("X_liqui_name");
    RotuloEjeY = caption("Y_vapor_name");
  } else {
    RotuloEjeX = GetL_win("X_liqui_mostVol");
    RotuloEjeY = GetL_win("Y_vapor_mostVol");
  }
  Calcular(*Picture1, false);
  Modificado = true;
}

void FormMain::SetDecimalSymbol(const std::string& symbol, QAction* own, QAction* other) {
  // Rewriting the numbers is no change of the design.
  const bool wasModified = Modificado;
  other->setChecked(false);
  own->setChecked(true);
  const std::string oldSymbol = symbol == "," ? "." : ",";
  SimboloDecimal = symbol;
  const bool wasBlocked = state_.BloqueoChange;
  state_.BloqueoChange = true;
  // The knobs follow each field as it is written; the names are never touched.
  for (int n = 1; n <= kLastNumberField; ++n) {
    std::string t = FieldText(Text[n]);
    ReplaceAll(t, oldSymbol, symbol);
    Text[n]->setText(QText(t));
  }
  state_.BloqueoChange = false;
  // Raised on entry means the load is applying the stored symbol: its own calculation follows.
  if (!wasBlocked) Calcular(*Picture1, false);
  Modificado = wasModified;
}

void FormMain::mnu_Decimal_SEP_COM_Click() { SetDecimalSymbol(",", mnu_Decimal_SEP_COM, mnu_Decimal_SEP_DOT); }

void FormMain::mnu_Decimal_SEP_DOT_Click() { SetDecimalSymbol(".", mnu_Decimal_SEP_DOT, mnu_Decimal_SEP_COM); }

}  // namespace stagora::designer
