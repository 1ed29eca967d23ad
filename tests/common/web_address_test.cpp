#include "common/web_address.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/messagebox.h"
#include "platform/shell.h"
#include "tests/support/test_support.h"

namespace stagora {
namespace {

TEST(PrepDE, ContractsBeforeVowelsAndHPlusVowel) {
  struct Case {
    std::string word;
    bool upper;
    std::string result;
  };
  const std::vector<Case> cases = {
      {"agua", false, "d'agua"},
      {"Etanol", false, "d'Etanol"},
      {"hexano", false, "d'hexano"},
      {"Hexano", true, "D'Hexano"},
      {"hhh", false, "de hhh"},
      {"metanol", false, "de metanol"},
      {"benceno", true, "De benceno"},
      {"\xE1" "cido", false, "d'\xE1" "cido"},     // á
      {"\xC1" "CIDO", false, "d'\xC1" "CIDO"},     // Á, lower-cased before the comparison
      {"\xE8re", false, "d'\xE8re"},               // è
      {"\xDC" "ber", false, "d'\xDC" "ber"},       // Ü
      {"h\xF6" "he", false, "d'h\xF6" "he"},       // hö
      {"y", false, "de y"},
      {"\xFD" "o", false, "de \xFD" "o"},          // ý is not in the list
      {"\xE2" "me", false, "de \xE2" "me"},        // â is not in the list
      {"h", false, "d'h"},                         // a missing second letter counts as a vowel
      {"H", true, "D'H"},
      {"", false, "d'"},
      {" agua", false, "de  agua"},
  };
  for (const Case& c : cases) EXPECT_EQ(PrepDE(c.word, c.upper), c.result) << c.word;
}

// Makes every desktop open fail or succeed for one test, and records what was asked.
class DesktopStub {
 public:
  explicit DesktopStub(bool opens)
      : desktop_(plat::SetOpenWithDesktopHandler, [this, opens](const std::string& target) {
          asked.push_back(target);
          return opens;
        }) {}
  std::vector<std::string> asked;

 private:
  const test::ScopedHook<plat::OpenHandler> desktop_;
};

TEST(AbrirURL, AddressNothingCanOpenShowsTheMessageWithTheAddressOnItsSecondLine) {
  DesktopStub desktop(false);
  test::MessageBoxRecorder boxes;
  AbrirURL("nothing://opens.this", "Sorry, cannot connect");

  ASSERT_EQ(desktop.asked, std::vector<std::string>{"nothing://opens.this"});
  ASSERT_EQ(boxes.requests().size(), 1u);
  const plat::MsgRequest& box = boxes.requests()[0];
  EXPECT_EQ(box.text, "Sorry, cannot connect\r\nnothing://opens.this");
  EXPECT_EQ(box.style, plat::kExclamation | plat::kOkOnly);
  EXPECT_EQ(box.title, "") << "the program's own title";
}

TEST(AbrirURL, OpenedAddressShowsNoMessage) {
  DesktopStub desktop(true);
  test::MessageBoxRecorder boxes;
  AbrirURL("https://example.org/a b?x=1&y=2", "Sorry, cannot connect");
  EXPECT_EQ(desktop.asked, std::vector<std::string>{"https://example.org/a b?x=1&y=2"});
  EXPECT_TRUE(boxes.requests().empty());
}

}  // namespace
}  // namespace stagora
