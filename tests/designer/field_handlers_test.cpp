// The input fields as the user works them: keys, Enter, entering a field, the component
// name, and the switch of the decimal symbol.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "designer/window/controls.h"
#include "designer/window/designer_state.h"
#include "platform/textfile.h"
#include "tests/designer/main_window_fixture.h"

namespace stagora::test {
namespace {

std::string Field(const designer::FormMain& w, int n) { return w.Text[n]->text().toStdString(); }

class FieldHandlers : public MainWindowTest {
 protected:
  designer::FormMain& LoadAndActivate() {
    designer::FormMain& w = Load();
    w.show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    return w;
  }

  // Replaces a field's text as a user does: select all, type.
  static void Type(QLineEdit* field, const char* keys) {
    field->selectAll();
    QTest::keyClicks(field, keys);
  }
};

TEST_F(FieldHandlers, CommaAndPointKeysTypeTheCurrentDecimalSymbol) {
  designer::FormMain& w = Load();
  struct Case {
    const char* symbol;
    const char* keys;
    const char* typed;
  };
  const Case cases[] = {
      {",", "0.25", "0,25"},
      {",", "0,25", "0,25"},
      {".", "0,25", "0.25"},
      {".", "-1.5E-3x", "-1.5E-3x"},  // no other key is filtered
      {"", "0.5,", "0.5,"},           // no symbol at all: keys type what they say
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.symbol) + " " + c.keys);
    w.SimboloDecimal = c.symbol;
    for (int n : {1, 2, 3, 4, 5, 6, 15}) {
      Type(w.Text[n], c.keys);
      EXPECT_EQ(Field(w, n), c.typed) << "Text" << n;
    }
  }
  // The name fields keep what is typed.
  w.SimboloDecimal = ",";
  Type(w.Text[field::kMoreVolatileName], "n.Hexane");
  EXPECT_EQ(Field(w, 16), "n.Hexane");
}

TEST_F(FieldHandlers, EnterRecalculatesAndAChangeAloneDoesNot) {
  designer::FormMain& w = Load();
  const std::string plates = Field(w, 14);
  const double stages = w.NumPlatosTeor;
  ASSERT_FALSE(plates.empty());

  Type(w.Text[field::kRefluxRatio], "2.2");  // Rmin is about 1.79
  EXPECT_EQ(Field(w, 14), plates);
  EXPECT_EQ(w.NumPlatosTeor, stages);
  EXPECT_TRUE(w.Modificado);

  // Enter in a field that is no design input does nothing.
  for (int n : {7, 13, 14, 16, 17}) QTest::keyClick(w.Text[n], Qt::Key_Return);
  EXPECT_EQ(Field(w, 14), plates);

  QTest::keyClick(w.Text[field::kRefluxRatio], Qt::Key_Return);
  EXPECT_NE(Field(w, 14), plates);
  EXPECT_GT(w.NumPlatosTeor, stages);  // less reflux, more stages

  // Enter recalculates in every design field, with any shift state, also the keypad's Enter,
  // and also when nothing changed since the last calculation.
  struct Press {
    int field;
    Qt::Key key;
    Qt::KeyboardModifiers shift;
  };
  const Press presses[] = {{1, Qt::Key_Return, Qt::NoModifier},     {2, Qt::Key_Enter, Qt::KeypadModifier},
                           {3, Qt::Key_Return, Qt::ShiftModifier},  {4, Qt::Key_Return, Qt::ControlModifier},
                           {5, Qt::Key_Return, Qt::NoModifier},     {15, Qt::Key_Return, Qt::NoModifier}};
  for (const Press& p : presses) {
    w.Text[field::kRealPlates]->clear();
    QTest::keyClick(w.Text[p.field], p.key, p.shift);
    EXPECT_FALSE(w.Text[field::kRealPlates]->text().isEmpty()) << "Text" << p.field;
  }

  // A rejected design shows its error on Enter, not before.
  Type(w.Text[field::kRefluxRatio], "0");
  EXPECT_TRUE(w.LblERROR->text().isEmpty());
  QTest::keyClick(w.Text[field::kRefluxRatio], Qt::Key_Return);
  EXPECT_EQ(w.LblERROR->text().toStdString(), w.GetL_win("NegativeRefluxRatio"));
}

TEST_F(FieldHandlers, EnteringAFieldSelectsItsTextAndEnteringTheSecondNameMarksTheDesignModified) {
  designer::FormMain& w = LoadAndActivate();
  w.Text[field::kLessVolatileName]->setText("Water");
  w.Text[field::kMoreVolatileName]->setFocus(Qt::TabFocusReason);
  w.Modificado = false;
  QTest::keyClick(w.Text[field::kMoreVolatileName], Qt::Key_Tab);
  ASSERT_TRUE(w.Text[field::kLessVolatileName]->hasFocus());
  EXPECT_EQ(w.Text[field::kLessVolatileName]->selectedText(), "Water");
  EXPECT_TRUE(w.Modificado);

  for (int n : {1, 2, 3, 6, 4, 15, 5}) {
    w.Text[n]->deselect();
    w.Text[n]->setFocus(Qt::OtherFocusReason);  // not a reason the field selects for itself
    ASSERT_TRUE(w.Text[n]->hasFocus()) << n;
    EXPECT_EQ(w.Text[n]->selectedText(), w.Text[n]->text()) << "Text" << n;
  }
  // Typing after entering replaces the whole text.
  w.Text[field::kRefluxRatio]->setFocus(Qt::OtherFocusReason);
  QTest::keyClicks(w.Text[field::kRefluxRatio], "5");
  EXPECT_EQ(Field(w, 6), "5");
  // Result fields are selected too, ready to copy.
  w.Text[field::kRealPlates]->setFocus(Qt::OtherFocusReason);
  EXPECT_EQ(w.Text[field::kRealPlates]->selectedText(), w.Text[field::kRealPlates]->text());
}

// Focus that comes back to a field when the window is reactivated or a menu closes is no
// entering of the field: it neither marks the design modified nor selects the text.
TEST_F(FieldHandlers, FocusReturningWithTheWindowOrAfterAMenuIsNoEnteringOfTheField) {
  designer::FormMain& w = LoadAndActivate();
  w.Text[field::kLessVolatileName]->setText("Water");
  w.Text[field::kLessVolatileName]->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(w.Text[field::kLessVolatileName]->hasFocus());
  w.Text[field::kXFeed]->setText("0.46");
  w.Text[field::kXFeed]->setCursorPosition(2);
  for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
    SCOPED_TRACE(reason);
    w.Modificado = false;
    QFocusEvent back(QEvent::FocusIn, reason);
    QApplication::sendEvent(w.Text[field::kLessVolatileName], &back);
    EXPECT_FALSE(w.Modificado);
    w.Text[field::kXFeed]->deselect();
    QApplication::sendEvent(w.Text[field::kXFeed], &back);
    EXPECT_FALSE(w.Text[field::kXFeed]->hasSelectedText());
  }
  // A menu opened and closed over the field.
  w.Modificado = false;
  MenuNamed(w, "mnu_Archivo")->popup(w.mapToGlobal(QPoint(10, 10)));
  QApplication::processEvents();
  MenuNamed(w, "mnu_Archivo")->close();
  QApplication::processEvents();
  ASSERT_TRUE(w.Text[field::kLessVolatileName]->hasFocus());
  EXPECT_FALSE(w.Modificado);
  // Entering it by the mouse or the keyboard still counts.
  QFocusEvent click(QEvent::FocusIn, Qt::MouseFocusReason);
  QApplication::sendEvent(w.Text[field::kLessVolatileName], &click);
  EXPECT_TRUE(w.Modificado);
}

// The axis captions in a language whose captions put the particle before the name.
TEST_F(FieldHandlers, TheComponentNameGoesIntoTheAxisCaptionsWithItsParticle) {
  const std::string program = ScratchDir("particle-language");
  ASSERT_TRUE(plat::CreateDirectory(plat::JoinPath(program, "lang")));
  const std::string english = *plat::ReadTextFile(plat::JoinPath(SourceDir(), "lang/ENG_WIN_MAI.lmo"));
  ASSERT_TRUE(plat::WriteTextFile(plat::JoinPath(program, "lang/ENG_WIN_MAI.lmo"),
                                  "[X_liqui_name]=x, fracci\xF3n molar %deNC% (%NC%)\r\n"
                                  "[Y_vapor_name]=y, %deNC%\r\n" + english));  // the first of a key counts
  plat::SetProgramFolder(program);
  designer::FormMain& w = Load();
  const std::pair<const char*, const char*> cases[] = {
      {"agua", "d'agua"}, {"Etanol", "d'Etanol"}, {"hexano", "d'hexano"}, {"metanol", "de metanol"}};
  for (const auto& [name, withParticle] : cases) {
    w.Text[field::kRealPlates]->clear();
    w.Modificado = false;
    w.Text[field::kMoreVolatileName]->setText(name);
    EXPECT_EQ(w.RotuloEjeX, std::string("x, fracci\xF3n molar ") + withParticle + " (" + name + ")");
    EXPECT_EQ(w.RotuloEjeY, std::string("y, ") + withParticle);
    EXPECT_FALSE(w.Text[field::kRealPlates]->text().isEmpty()) << "the name recalculates";
    EXPECT_TRUE(w.Modificado);
  }
}

// The names take what the files' code page holds and refuse anything else, typed or pasted,
// so the name on the screen is the one saved and printed; a refusal says which characters were
// not taken and why, and the field keeps what it held.
TEST_F(FieldHandlers, TheNameFieldsRefuseCharactersTheFilesCannotHoldAndSayWhy) {
  designer::FormMain& w = Load();
  MessageBoxRecorder boxes;
  const auto typeChar = [](QLineEdit* field, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(field, &press);
    QApplication::processEvents();
  };
  const auto paste = [](QLineEdit* field, const QString& text) {
    QApplication::clipboard()->setText(text);
    field->paste();
    QApplication::processEvents();
  };
  const auto refusal = [](const char* characters) {
    return std::string("This name cannot take ") + characters +
           ": names are kept in project files, printouts and worked solutions in the Western European code page "
           "(Windows-1252), which has no such character. The name is left as it was.";
  };
  for (const int n : {16, 17}) {
    SCOPED_TRACE(n);
    QLineEdit* field = w.Text[n];
    field->clear();
    const std::size_t before = boxes.requests().size();
    for (const QString& c : {QString::fromUtf16(u"\u03A9"), QString("m"), QString::fromUtf16(u"\u00E9"), QString::fromUtf16(u"\U0001F600"),
                             QString::fromUtf16(u"\u20AC")}) {
      typeChar(field, c);  // Omega refused, m, e acute, a face refused, the euro sign
    }
    EXPECT_EQ(field->text(), QString::fromUtf16(u"m\u00E9\u20AC"));
    paste(field, QString::fromUtf16(u"Wasser \u03A9\u0141\u03A9"));  // the whole paste is refused
    EXPECT_EQ(field->text(), QString::fromUtf16(u"m\u00E9\u20AC"));
    paste(field, QString::fromUtf16(u" \u0152uvre & Co"));  // OE ligature is in the code page
    EXPECT_EQ(field->text(), QString::fromUtf16(u"m\u00E9\u20AC \u0152uvre & Co"));

    // One box for each refusal, naming each character missing from the code page once.
    ASSERT_EQ(boxes.requests().size(), before + 3);
    EXPECT_EQ(boxes.requests()[before].text, refusal("\u03A9"));
    EXPECT_EQ(boxes.requests()[before + 1].text, refusal("\U0001F600"));
    EXPECT_EQ(boxes.requests()[before + 2].text, refusal("\u03A9\u0141"));
    EXPECT_EQ(boxes.requests()[before + 2].style, plat::kExclamation);
    EXPECT_EQ(boxes.requests()[before + 2].title, "Stagora");
  }
}

TEST_F(FieldHandlers, SwitchingTheSymbolRewritesEveryNumberFieldAndKeepsNamesAndTheModifiedFlag) {
  designer::FormMain& w = Load();
  w.Text[field::kMoreVolatileName]->setText("n.Hexane, 95%");
  w.Text[field::kLessVolatileName]->setText("n.Heptane");
  w.Text[field::kAlpha]->setText("2.5");
  for (const bool modified : {false, true}) {
    SCOPED_TRACE(modified);
    w.Modificado = modified;
    w.mnu_Decimal_SEP_COM->trigger();
    EXPECT_EQ(w.SimboloDecimal, ",");
    EXPECT_EQ(Field(w, 1), "2,5");
    EXPECT_EQ(Field(w, 3), "0,46");
    EXPECT_EQ(Field(w, 8), "y = -x + 0,92");  // the result lines are recalculated in the new symbol
    for (int n = 1; n <= 15; ++n) EXPECT_EQ(Field(w, n).find('.'), std::string::npos) << "Text" << n;
    EXPECT_EQ(Field(w, 16), "n.Hexane, 95%");
    EXPECT_EQ(Field(w, 17), "n.Heptane");
    EXPECT_EQ(w.Modificado, modified);
    EXPECT_FALSE(form->State().BloqueoChange);

    w.mnu_Decimal_SEP_DOT->trigger();
    EXPECT_EQ(Field(w, 1), "2.5");
    EXPECT_EQ(Field(w, 8), "y = -x + 0.92");
    EXPECT_EQ(Field(w, 16), "n.Hexane, 95%");
    EXPECT_EQ(w.Modificado, modified);
  }
}

TEST_F(FieldHandlers, TheSwitchRecalculatesUnlessChangesAreBlocked) {
  designer::FormMain& w = Load();
  // The switch also recalculates when its item was already checked.
  w.Text[field::kRealPlates]->setText("none");
  w.mnu_Decimal_SEP_DOT->trigger();
  EXPECT_NE(Field(w, 14), "none");
  EXPECT_TRUE(w.mnu_Decimal_SEP_DOT->isChecked());

  // Raised on entry (the load applying the stored symbol): the fields are rewritten but
  // nothing is recalculated, and the flag ends lowered, not restored.
  w.Text[field::kRealPlates]->setText("none");
  w.Text[field::kThermalQ]->setText("1.0001");
  form->State().BloqueoChange = true;
  w.mnu_Decimal_SEP_COM_Click();
  EXPECT_FALSE(form->State().BloqueoChange);
  EXPECT_EQ(Field(w, 14), "none");
  EXPECT_EQ(Field(w, 2), "1,0001");
  EXPECT_TRUE(w.mnu_Decimal_SEP_COM->isChecked());
  EXPECT_FALSE(w.mnu_Decimal_SEP_DOT->isChecked());
}

}  // namespace
}  // namespace stagora::test
