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

}  // namespace
}  // namespace calorix::app
