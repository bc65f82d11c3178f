#include "core/cp1252.h"

#include <gtest/gtest.h>

namespace calorix {
namespace {

TEST(CodePage, DegreeSignIsOneByteOnDiskAndTwoInMemory) {
  EXPECT_EQ(Cp1252ToUtf8("[\xB0" "C]"), "[°C]");
  EXPECT_EQ(Utf8ToCp1252("[°C]"), "[\xB0" "C]");
}

TEST(CodePage, HighControlRangeMapsToTypographicCharacters) {
  EXPECT_EQ(Cp1252ToUtf8("\x80\x92\x9F"), "€’Ÿ");
  EXPECT_EQ(Utf8ToCp1252("€’Ÿ"), "\x80\x92\x9F");
}

TEST(CodePage, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(CodePage, UnmappableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("a\u4e2db"), "a?b");
  EXPECT_EQ(Utf8ToCp1252("a\U0001F600b"), "a?b");
}

TEST(CodePage, MalformedUtf8IsTakenAsBytes) {
  EXPECT_EQ(Utf8ToCp1252("\xE4ndern"), "\xE4ndern");
}

}  // namespace
}  // namespace calorix
