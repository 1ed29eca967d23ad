// Every calculation error of the main window's language file, shown in the error label at the
// window's default size with the fonts of this machine: the whole text on the label's one
// line, nothing cut off.
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QTest>
#include <set>
#include <string>

#include "designer/calculation/design_data.h"
#include "designer/window/controls.h"
#include "platform/encoding.h"
#include "platform/textfile.h"
#include "tests/designer/main_window_fixture.h"

namespace stagora::test {
namespace {

// The keys of the language file's section of calculation errors.
std::set<std::string> ErrorKeysOfTheFile() {
  const std::string path = ProgramDir() + "/lang/ENG_WIN_MAI.lmo";
  const std::optional<std::string> text = plat::ReadTextFile(path);
  EXPECT_TRUE(text.has_value()) << path;
  std::set<std::string> keys;
  bool inSection = false;
  std::size_t start = 0;
  const std::string all = text.value_or("");
  while (start < all.size()) {
    std::size_t end = all.find("\r\n", start);
    if (end == std::string::npos) end = all.size();
    const std::string line = all.substr(start, end - start);
    start = end + 2;
    if (line.rfind(';', 0) == 0) {
      inSection = line.find("Calculation errors") != std::string::npos;
    } else if (inSection && line.rfind('[', 0) == 0) {
      keys.insert(line.substr(1, line.find(']') - 1));
    }
  }
  return keys;
}

TEST_F(MainWindowTest, EveryErrorTextFitsTheErrorLabelAtTheDefaultSize) {
  std::set<std::string> coreKeys;
  for (std::string_view key : calc_key::kAll) coreKeys.emplace(key);
  EXPECT_EQ(ErrorKeysOfTheFile(), coreKeys);

  designer::FormMain& w = Load();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QApplication::processEvents();
  ASSERT_EQ(w.LblERROR->size(), QSize(438, 17));
  const QFontMetrics fm(w.LblERROR->font());
  for (const std::string& key : coreKeys) {
    SCOPED_TRACE(key);
    const std::string text = w.GetL_win(key);
    ASSERT_FALSE(text.empty());
    w.LblERROR->setText(designer::QText(text));
    EXPECT_LE(fm.horizontalAdvance(w.LblERROR->text()), w.LblERROR->width()) << text;
    EXPECT_LE(w.LblERROR->heightForWidth(w.LblERROR->width()), w.LblERROR->height()) << text;
  }
}

}  // namespace
}  // namespace stagora::test
