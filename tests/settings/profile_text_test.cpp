#include "settings/profile_text.h"

#include <gtest/gtest.h>

#include <string>

namespace calorix {
namespace {

constexpr std::string_view kFile =
    "[Main]\r\n"
    "Language=2\r\n"
    "LastUsedDir=C:\\Logs\\\r\n"
    "\r\n"
    "[Child]\r\n"
    "LineWidth=3\r\n";

TEST(ProfileTextTest, ReadsKeyOfSection) {
  EXPECT_EQ(FindProfileValue(kFile, "Main", "Language"), "2");
  EXPECT_EQ(FindProfileValue(kFile, "Main", "LastUsedDir"), "C:\\Logs\\");
  EXPECT_EQ(FindProfileValue(kFile, "Child", "LineWidth"), "3");
}

TEST(ProfileTextTest, MissingSectionOrKeyReadsAsNothing) {
  EXPECT_EQ(FindProfileValue(kFile, "Other", "Language"), std::nullopt);
  EXPECT_EQ(FindProfileValue(kFile, "Main", "LineWidth"), std::nullopt);
  EXPECT_EQ(FindProfileValue("", "Main", "Language"), std::nullopt);
}

TEST(ProfileTextTest, NamesIgnoreAsciiCase) { EXPECT_EQ(FindProfileValue(kFile, "MAIN", "language"), "2"); }

TEST(ProfileTextTest, BlanksAroundNamesAndValuesAreIgnored) {
  EXPECT_EQ(FindProfileValue("  [ Main ]  \n \tLanguage \t=  5 \t\n", "Main", "Language"), "5");
}

TEST(ProfileTextTest, OnePairOfQuotesAroundValueIsDropped) {
  EXPECT_EQ(FindProfileValue("[A]\nk=\"x y\"\n", "A", "k"), "x y");
  EXPECT_EQ(FindProfileValue("[A]\nk='x'\n", "A", "k"), "x");
  EXPECT_EQ(FindProfileValue("[A]\nk=\"x'\n", "A", "k"), "\"x'");
  EXPECT_EQ(FindProfileValue("[A]\nk=\"\n", "A", "k"), "\"");
}

TEST(ProfileTextTest, EmptyValueIsNotMissing) { EXPECT_EQ(FindProfileValue("[A]\nk=\n", "A", "k"), ""); }

TEST(ProfileTextTest, ValueIsCutAt2047Characters) {
  const std::string value(3000, 'v');
  const auto read = FindProfileValue("[A]\nk=" + value + "\n", "A", "k");
  ASSERT_TRUE(read);
  EXPECT_EQ(read->size(), 2047u);
}

TEST(ProfileTextTest, ValueKeepsEqualsSignsAfterTheFirst) {
  EXPECT_EQ(FindProfileValue("[A]\nk=a=b\n", "A", "k"), "a=b");
}

TEST(ProfileTextTest, LineWithoutEqualsIsSkipped) {
  EXPECT_EQ(FindProfileValue("[A]\nk\nj=1\n", "A", "k"), std::nullopt);
  EXPECT_EQ(FindProfileValue("[A]\nk\nj=1\n", "A", "j"), "1");
}

TEST(ProfileTextTest, KeyBeforeAnySectionBelongsToNone) {
  EXPECT_EQ(FindProfileValue("k=1\n[A]\n", "A", "k"), std::nullopt);
}

TEST(ProfileTextTest, KeyOfLaterSectionIsNotFound) {
  EXPECT_EQ(FindProfileValue("[A]\n[B]\nk=1\n", "A", "k"), std::nullopt);
}

TEST(ProfileTextTest, HeaderWithoutClosingBracketIsNoSection) {
  EXPECT_EQ(FindProfileValue("[A]\n[B\nk=1\n", "A", "k"), "1");
}

TEST(ProfileTextTest, FirstOfDuplicateSectionsCounts) {
  constexpr std::string_view content = "[A]\nk=1\n[A]\nk=2\nj=3\n";
  EXPECT_EQ(FindProfileValue(content, "A", "k"), "1");
  EXPECT_EQ(FindProfileValue(content, "A", "j"), std::nullopt);
}

TEST(ProfileTextTest, FirstOfDuplicateKeysCounts) { EXPECT_EQ(FindProfileValue("[A]\nk=1\nK=2\n", "A", "k"), "1"); }

TEST(ProfileTextTest, CrOnlyAndLfOnlyLineEndsSeparateLines) {
  EXPECT_EQ(FindProfileValue("[A]\rk=1\rj=2\r", "A", "j"), "2");
  EXPECT_EQ(FindProfileValue("[A]\nk=1\nj=2", "A", "j"), "2");
  EXPECT_EQ(FindProfileValue("[A]\r\n\r\nk=1\n\rj=2", "A", "j"), "2");
}

TEST(ProfileTextTest, BinaryBytesStayInTheirLine) {
  const std::string content = "[A]\nx=" + std::string("\0\x01\xff\x7f", 4) + "\nk=1\n";
  EXPECT_EQ(FindProfileValue(content, "A", "k"), "1");
  EXPECT_EQ(FindProfileValue(content, "A", "x"), std::string("\0\x01\xff\x7f", 4));
}

TEST(ProfileTextTest, TenMegabyteLineIsReadCut) {
  const std::string content = "[A]\nbig=" + std::string(10'000'000, 'x') + "\nk=1\n";
  EXPECT_EQ(FindProfileValue(content, "A", "big")->size(), kMaxProfileValueLength);
  EXPECT_EQ(FindProfileValue(content, "A", "k"), "1");
}

TEST(ProfileTextTest, ManyLinesWithOneKindOfLineEndAreReadInOnePass) {
  std::string crOnly = "[A]\r";
  std::string lfOnly = "[A]\n";
  for (int i = 0; i < 200'000; ++i) {
    crOnly += "x=1\r";
    lfOnly += "x=1\n";
  }
  EXPECT_EQ(FindProfileValue(crOnly + "k=2\r", "A", "k"), "2");
  EXPECT_EQ(FindProfileValue(lfOnly + "k=2\n", "A", "k"), "2");
}

TEST(ProfileTextTest, SetIntoNothingCreatesSectionAndKey) {
  EXPECT_EQ(SetProfileValue("", "Main", "Language", "2"), "[Main]\r\nLanguage=2\r\n");
}

TEST(ProfileTextTest, SetReplacesValueKeepingEveryOtherByte) {
  const std::string content = "; note\n[Main]\n  Language = 7  \n\tOther=x \n";
  EXPECT_EQ(SetProfileValue(content, "main", "LANGUAGE", "3"), "; note\n[Main]\nLANGUAGE=3\n\tOther=x \n");
}

TEST(ProfileTextTest, SetAddsKeyAfterLastEntryOfItsSection) {
  EXPECT_EQ(SetProfileValue(kFile, "Main", "ExcelPath", "x"),
            "[Main]\r\nLanguage=2\r\nLastUsedDir=C:\\Logs\\\r\nExcelPath=x\r\n"
            "\r\n[Child]\r\nLineWidth=3\r\n");
}

TEST(ProfileTextTest, SetAddsKeyToSectionWithoutEntries) {
  EXPECT_EQ(SetProfileValue("[A]\n\n[B]\n", "A", "k", "1"), "[A]\nk=1\n\n[B]\n");
}

TEST(ProfileTextTest, SetAddsSectionAtTheEnd) {
  EXPECT_EQ(SetProfileValue("[A]\nk=1\n", "B", "j", "2"), "[A]\nk=1\n\n[B]\nj=2\n");
}

TEST(ProfileTextTest, SetAfterLastLineWithoutLineEnd) {
  EXPECT_EQ(SetProfileValue("[A]\nk=1", "A", "j", "2"), "[A]\nk=1\nj=2");
  EXPECT_EQ(SetProfileValue("[A]\nk=1", "B", "j", "2"), "[A]\nk=1\n\n[B]\nj=2\n");
}

TEST(ProfileTextTest, SetUsesTheLineEndOfTheFile) {
  EXPECT_EQ(SetProfileValue("[A]\rk=1\r", "A", "j", "2"), "[A]\rk=1\rj=2\r");
}

TEST(ProfileTextTest, SetChangesOnlyTheFirstOfDuplicates) {
  EXPECT_EQ(SetProfileValue("[A]\nk=1\nk=2\n[A]\nk=3\n", "A", "k", "9"), "[A]\nk=9\nk=2\n[A]\nk=3\n");
}

TEST(ProfileTextTest, SetKeepsLineBreaksOutOfTheFile) {
  const std::string content = SetProfileValue("", "A", "k", "one\r\ntwo");
  EXPECT_EQ(content, "[A]\r\nk=one  two\r\n");
}

TEST(ProfileTextTest, SetKeepsLinesWithoutEqualsAndGarbage) {
  const std::string content = "[A]\ngarbage line\n\x01\x02\nk=1\n";
  EXPECT_EQ(SetProfileValue(content, "A", "k", "2"), "[A]\ngarbage line\n\x01\x02\nk=2\n");
}

TEST(ProfileTextTest, ValueSetIsReadBack) {
  std::string content;
  content = SetProfileValue(content, "Main", "A", "1");
  content = SetProfileValue(content, "Child", "B", "2");
  content = SetProfileValue(content, "Main", "C", "3");
  content = SetProfileValue(content, "Main", "A", "4");
  EXPECT_EQ(FindProfileValue(content, "Main", "A"), "4");
  EXPECT_EQ(FindProfileValue(content, "Child", "B"), "2");
  EXPECT_EQ(FindProfileValue(content, "Main", "C"), "3");
}

TEST(ProfileTextTest, ByteOrderMarkIsNotPartOfTheFirstLine) {
  const std::string bom = "\xEF\xBB\xBF";
  EXPECT_EQ(FindProfileValue(bom + "[Main]\nA=1\n", "Main", "A"), "1");
  EXPECT_EQ(SetProfileValue(bom + "[Main]\nA=1\n", "Main", "A", "2"), bom + "[Main]\nA=2\n");
  EXPECT_EQ(SetProfileValue(bom + "[Main]\nA=1\n", "Main", "B", "2"), bom + "[Main]\nA=1\nB=2\n");
  EXPECT_EQ(SetProfileValue(bom, "Main", "A", "1"), bom + "[Main]\r\nA=1\r\n");
}

}  // namespace
}  // namespace calorix
