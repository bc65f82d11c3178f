#include "app/language_choices.h"

#include <gtest/gtest.h>

namespace calorix::app {
namespace {

TEST(LanguageChoiceOfCode, StoredCodesTwoToSevenElseGerman) {
  EXPECT_EQ(LanguageChoiceOfCode(2), 1);
  EXPECT_EQ(LanguageChoiceOfCode(7), 6);
  EXPECT_EQ(LanguageChoiceOfCode(3), 2);
  for (const int code : {0, 1, 8, -1}) EXPECT_EQ(LanguageChoiceOfCode(code), 0) << code;
}

// A stored language always wins; with none stored the first system
// language that is one of the seven, by language whatever the country.
TEST(StartLanguageChoice, StoredElseSystemElseGerman) {
  struct Case {
    int stored;
    std::vector<std::string> system;
    int expected;
  };
  const std::vector<Case> cases = {
      {0, {"fr-FR"}, 2}, {0, {"fr-CA", "en-US"}, 2},
      {0, {"de-AT"}, 0}, {0, {"en-US"}, 6},
      {0, {"en-AU"}, 1}, {0, {"en_GB.UTF-8"}, 1},
      {0, {"pt-BR"}, 5}, {0, {"nl-NL", "it-IT"}, 4},
      {0, {"nl-NL"}, 0}, {0, {"C"}, 0},
      {0, {}, 0},        {1, {"fr-FR"}, 0},
      {7, {"de-DE"}, 6}, {4, {}, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StartLanguageChoice(c.stored, c.system), c.expected)
        << c.stored << " " << (c.system.empty() ? "-" : c.system.front());
  }
}

}  // namespace
}  // namespace calorix::app
