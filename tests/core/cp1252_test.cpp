#include "core/cp1252.h"

#include <gtest/gtest.h>

namespace calorix {
namespace {

TEST(CodePage, DegreeSignIsOneByteOnDiskAndTwoInMemory) {
  EXPECT_EQ(Cp1252ToUtf8("[\xB0"
                         "C]"),
            "[°C]");
  EXPECT_EQ(Utf8ToCp1252("[°C]"),
            "[\xB0"
            "C]");
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

TEST(CodePage, MalformedUtf8IsTakenAsBytes) { EXPECT_EQ(Utf8ToCp1252("\xE4ndern"), "\xE4ndern"); }

// Only well-formed sequences are decoded; the bytes of any other pass
// through as they are.
TEST(CodePage, IllFormedSequencesPassThroughAsBytes) {
  const std::string cases[] = {
      "\xC1\x80",          // overlong "@"
      "\xC0\xAF",          // overlong "/"
      "\xE0\x80\xAF",      // overlong three-byte "/"
      "\xF0\x80\x80\xAF",  // overlong four-byte "/"
      "\xED\xA0\x80",      // surrogate U+D800
      "\xED\xBF\xBF",      // surrogate U+DFFF
      "\xF4\x90\x80\x80",  // U+110000
      "\xF7\xBF\xBF\xBF",  // U+1FFFFF
  };
  for (const std::string& bytes : cases) {
    EXPECT_EQ(Utf8ToCp1252(bytes), bytes) << testing::PrintToString(bytes);
    EXPECT_FALSE(IsValidUtf8(bytes)) << testing::PrintToString(bytes);
  }
}

TEST(CodePage, FitsCp1252TellsWhetherAnythingWouldBecomeAQuestionMark) {
  EXPECT_TRUE(FitsCp1252("Wärme 20 °C €"));
  EXPECT_TRUE(FitsCp1252("\xE4ndern"));  // malformed: passes through
  EXPECT_TRUE(FitsCp1252("?"));
  EXPECT_FALSE(FitsCp1252("/home/łukasz/"));
  EXPECT_FALSE(FitsCp1252("Логи"));
  EXPECT_FALSE(FitsCp1252("a\U0001F600"));
}

TEST(CodePage, IsValidUtf8AcceptsWellFormedText) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8("Wärme łukasz Логи \U0010FFFF"));
  EXPECT_FALSE(IsValidUtf8("W\xE4rme"));
  EXPECT_FALSE(IsValidUtf8("\xC3"));
}

}  // namespace
}  // namespace calorix
