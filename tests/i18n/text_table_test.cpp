#include "i18n/text_table.h"

#include "core/cp1252.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace calorix::i18n {
namespace {

constexpr std::array kAllBlocks = {LanguageBlock::German,  LanguageBlock::English, LanguageBlock::French,
                                   LanguageBlock::Spanish, LanguageBlock::Italian, LanguageBlock::Portuguese};

constexpr std::array kUnusedRows = {37, 41, 54, 55, 94};

std::string NameOf(LanguageBlock block) {
  constexpr std::array<const char*, kBlockCount> kNames = {"German",  "English", "French",
                                                           "Spanish", "Italian", "Portuguese"};
  return kNames[static_cast<int>(block)];
}

bool IsCaptionPiece(int n) { return n >= 17 && n <= 21; }

// Strict: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    }
    if ((lead & 0xE0) == 0xC0) {
      length = 2, cp = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, cp = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, cp = lead & 0x07, min = 0x10000;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      return false;
    }
    i += length;
  }
  return true;
}

// Properties every block has.

class EveryBlock : public ::testing::TestWithParam<LanguageBlock> {};

TEST_P(EveryBlock, Has112RowsTheAddedOnesAndNothingOutside) {
  const LanguageBlock block = GetParam();
  EXPECT_EQ(kTextCount, 112);
  EXPECT_FALSE(TextOf(block, 0).empty());
  EXPECT_FALSE(TextOf(block, 111).empty());
  EXPECT_FALSE(TextOf(block, kTextCount + kAddedTextCount - 1).empty());
  EXPECT_TRUE(TextOf(block, kTextCount + kAddedTextCount).empty());
  EXPECT_TRUE(TextOf(block, -1).empty());
  EXPECT_TRUE(TextOf(block, 100000).empty());
}

TEST_P(EveryBlock, OnlyTheDisclaimerContinuationMayBeEmpty) {
  for (int n = 0; n < kTextCount; ++n) {
    if (n == kTextDisclaimerContinued) continue;
    EXPECT_FALSE(TextOf(GetParam(), n).empty()) << "row " << n;
  }
}

// The added rows are messages like the numbered ones: in every block, shown
// in Windows-1252 surroundings, without stray blanks or access keys.
TEST_P(EveryBlock, AddedRowsAreCleanMessages) {
  for (int n = kTextCount; n < kTextCount + kAddedTextCount; ++n) {
    const std::string& text = TextOf(GetParam(), n);
    ASSERT_FALSE(text.empty()) << "row " << n;
    EXPECT_TRUE(IsValidUtf8(text)) << "row " << n;
    EXPECT_EQ(Cp1252ToUtf8(Utf8ToCp1252(text)), text) << "row " << n;
    EXPECT_NE(text.front(), ' ') << "row " << n;
    EXPECT_NE(text.back(), ' ') << "row " << n;
    EXPECT_EQ(text.find('&'), std::string::npos) << "row " << n;
  }
}

TEST_P(EveryBlock, UnusedRowsExistAndAreNotEmpty) {
  for (const int n : kUnusedRows) {
    EXPECT_FALSE(TextOf(GetParam(), n).empty()) << "row " << n;
  }
}

TEST_P(EveryBlock, NoRowCarriesAnAcceleratorMarker) {
  for (int n = 0; n < kTextCount; ++n) {
    EXPECT_EQ(TextOf(GetParam(), n).find('&'), std::string::npos) << "row " << n;
  }
}

TEST_P(EveryBlock, EveryRowIsValidUtf8) {
  for (int n = 0; n < kTextCount; ++n) {
    EXPECT_TRUE(IsValidUtf8(TextOf(GetParam(), n))) << "row " << n;
  }
}

// The program's files are Windows-1252; no text may lose a character there.
TEST_P(EveryBlock, EveryRowFitsWindows1252) {
  for (int n = 0; n < kTextCount; ++n) {
    const std::string& text = TextOf(GetParam(), n);
    EXPECT_EQ(Cp1252ToUtf8(Utf8ToCp1252(text)), text) << "row " << n;
  }
}

TEST_P(EveryBlock, CaptionPiecesCarryTheirOwnBlanks) {
  const LanguageBlock block = GetParam();
  EXPECT_TRUE(TextOf(block, 17).ends_with(' '));
  EXPECT_TRUE(TextOf(block, 18).ends_with(' '));
  EXPECT_TRUE(TextOf(block, 19).starts_with(' '));
  EXPECT_TRUE(TextOf(block, 19).ends_with(' '));
  EXPECT_TRUE(TextOf(block, 20).starts_with(". ("));
  EXPECT_TRUE(TextOf(block, 21).starts_with(' '));
  EXPECT_TRUE(TextOf(block, 21).ends_with(')'));
}

// A stray blank elsewhere would show as a gap in a caption or a message.
TEST_P(EveryBlock, OtherRowsHaveNoOuterBlanks) {
  for (int n = 0; n < kTextCount; ++n) {
    const std::string& text = TextOf(GetParam(), n);
    if (IsCaptionPiece(n) || text.empty()) continue;
    EXPECT_NE(text.front(), ' ') << "row " << n;
    EXPECT_NE(text.back(), ' ') << "row " << n;
  }
}

TEST_P(EveryBlock, ReadingStoppedNamesTheLineOnce) {
  const std::string& text = TextOf(GetParam(), kTextReadingStopped);
  EXPECT_NE(text.find("%1"), std::string::npos);
  EXPECT_EQ(text.find("%1"), text.rfind("%1"));
}

TEST_P(EveryBlock, DisclaimerEndsWithAFullStop) {
  const LanguageBlock block = GetParam();
  EXPECT_TRUE(TextOf(block, kTextDisclaimer).ends_with('.'));
  const std::string& more = TextOf(block, kTextDisclaimerContinued);
  EXPECT_TRUE(more.empty() || more.ends_with('.'));
}

INSTANTIATE_TEST_SUITE_P(TextTable, EveryBlock, ::testing::ValuesIn(kAllBlocks),
                         [](const auto& info) { return NameOf(info.param); });

// The composed evaluation caption.

std::string MultiDayCaption(LanguageBlock block, std::string_view from, std::string_view to, int files) {
  return TextOf(block, 18) + std::string(from) + TextOf(block, 19) + std::string(to) + TextOf(block, 20) +
         std::to_string(files) + TextOf(block, 21);
}

TEST(TextTableCaption, Rows17And18AreEqualInEveryBlockButItalian) {
  for (const LanguageBlock block : kAllBlocks) {
    if (block == LanguageBlock::Italian) {
      EXPECT_NE(TextOf(block, 17), TextOf(block, 18));
    } else {
      EXPECT_EQ(TextOf(block, 17), TextOf(block, 18)) << NameOf(block);
    }
  }
}

TEST(TextTableCaption, ItalianPutsWordsAroundTheFileCount) {
  EXPECT_EQ(MultiDayCaption(LanguageBlock::Italian, "01.05.2024", "31.05.2024", 31),
            "Analisi dal 01.05.2024 al 31.05.2024. (Trovati 31 file)");
}

TEST(TextTableCaption, GermanAndEnglishPutTheCountFirst) {
  EXPECT_EQ(MultiDayCaption(LanguageBlock::German, "01.05.2024", "31.05.2024", 31),
            "Auswertung vom 01.05.2024 bis 31.05.2024. (31 Dateien gefunden)");
  EXPECT_EQ(MultiDayCaption(LanguageBlock::English, "01.05.2024", "31.05.2024", 31),
            "Analysis from 01.05.2024 to 31.05.2024. (31 files found)");
}

TEST(TextTableCaption, PiecesOfTheFurtherLanguages) {
  using Pieces = std::array<std::string_view, 6>;
  const std::array<std::pair<LanguageBlock, Pieces>, 4> expected = {{
      {LanguageBlock::French, {"Nouveau", "Analyse du ", "Analyse du ", " au ", ". (", " fichiers trouvés)"}},
      {LanguageBlock::Spanish,
       {"Nuevo", "Evaluación del ", "Evaluación del ", " al ", ". (", " ficheros encontrados)"}},
      {LanguageBlock::Italian, {"Nuovo", "Analisi del ", "Analisi dal ", " al ", ". (Trovati ", " file)"}},
      {LanguageBlock::Portuguese, {"Novo", "Avaliação da ", "Avaliação da ", " até ", ". (", " dados encontrados)"}},
  }};
  for (const auto& [block, pieces] : expected) {
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(TextOf(block, kTextNew + i), pieces[i]) << NameOf(block) << " row " << kTextNew + i;
    }
  }
}

// The about box disclaimer.

TEST(TextTableDisclaimer, ContinuesIntoRow107OnlyInFrenchAndSpanish) {
  for (const LanguageBlock block : kAllBlocks) {
    const bool continues = block == LanguageBlock::French || block == LanguageBlock::Spanish;
    EXPECT_EQ(!TextOf(block, kTextDisclaimerContinued).empty(), continues) << NameOf(block);
  }
}

TEST(TextTableDisclaimer, OpensWithTheFreewareSentence) {
  EXPECT_TRUE(TextOf(LanguageBlock::English, kTextDisclaimer).starts_with("This Software is Freeware. "));
  EXPECT_TRUE(TextOf(LanguageBlock::German, kTextDisclaimer).starts_with("Diese Software ist Freeware. "));
}

TEST(TextTableDisclaimer, IsAboutAsLongInEveryLanguage) {
  for (const LanguageBlock block : kAllBlocks) {
    const std::size_t length = TextOf(block, kTextDisclaimer).size() + TextOf(block, kTextDisclaimerContinued).size();
    EXPECT_GT(length, 650u) << NameOf(block);
    EXPECT_LT(length, 1000u) << NameOf(block);
  }
}

// German and English rows, character for character.

TEST(TextTableRows, GermanAndEnglishSpotChecks) {
  const auto de = [](int n) { return TextOf(LanguageBlock::German, n); };
  const auto en = [](int n) { return TextOf(LanguageBlock::English, n); };
  EXPECT_EQ(de(0), "Datei");
  EXPECT_EQ(de(3), "Schließen");
  EXPECT_EQ(en(2), "Analysis of several days' duration");
  EXPECT_EQ(de(70), "Störmelde Ausgang");
  EXPECT_EQ(en(89), "Only the '.csv' extension is permitted for log files.");
  EXPECT_EQ(en(84), "Error occurred while opening file");
  EXPECT_EQ(de(84), "Fehler beim Öffnen der Datei.");
  EXPECT_EQ(en(98),
            "An error occurred while creating the data structure. This is "
            "probably due to insufficient memory. Please close any unused "
            "applications and try again.");
  EXPECT_EQ(en(102), "No data available.");
  EXPECT_EQ(de(102), "Keine Daten vorhanden.");
  EXPECT_EQ(de(111), "Fax.");
}

TEST(TextTableRows, NamedRowsPointAtTheirTexts) {
  const auto en = [](int n) { return TextOf(LanguageBlock::English, n); };
  EXPECT_EQ(en(kTextFile), "File");
  EXPECT_EQ(en(kTextInfo), "Info");
  EXPECT_EQ(en(kTextQuestion), "Question");
  EXPECT_EQ(en(kTextError), "Error");
  EXPECT_EQ(en(kTextWarning), "Warning");
  EXPECT_EQ(en(kTextInformation), "Information");
  EXPECT_EQ(en(kTextFirstChannelName), "Temperature sensor 1");
  EXPECT_EQ(en(kTextFirstChannelName + 14), "Fault indicator output");
  EXPECT_EQ(en(kTextLogFiles), "Log files");
  EXPECT_EQ(en(kTextImageFiles), "Image files");
  EXPECT_EQ(en(kTextAllFiles), "All files");
  EXPECT_EQ(en(kTextNoMeasuredValues), "The file you specified does not contain measured values.");
  EXPECT_EQ(en(kTextNotAValidLogFile), "The file you specified is not a valid log file.");
  EXPECT_EQ(en(kTextIniAccessFailed), "Access to INI file failed. Settings cannot be saved.");
  EXPECT_EQ(TextOf(LanguageBlock::German, kTextIniAccessFailed),
            "Zugriff auf Ini-Datei fehlgeschlagen. Einstellungen können nicht "
            "gespeichert werden.");
}

// Stored language codes.

TEST(LanguageCodes, MapToTheirBlocks) {
  EXPECT_EQ(BlockOfLanguage(0), LanguageBlock::German);
  EXPECT_EQ(BlockOfLanguage(1), LanguageBlock::German);
  EXPECT_EQ(BlockOfLanguage(2), LanguageBlock::English);
  EXPECT_EQ(BlockOfLanguage(3), LanguageBlock::French);
  EXPECT_EQ(BlockOfLanguage(4), LanguageBlock::Spanish);
  EXPECT_EQ(BlockOfLanguage(5), LanguageBlock::Italian);
  EXPECT_EQ(BlockOfLanguage(6), LanguageBlock::Portuguese);
  EXPECT_EQ(BlockOfLanguage(7), LanguageBlock::English);
}

TEST(LanguageCodes, UnknownCodesGiveGerman) {
  EXPECT_EQ(BlockOfLanguage(-1), LanguageBlock::German);
  EXPECT_EQ(BlockOfLanguage(8), LanguageBlock::German);
  EXPECT_EQ(BlockOfLanguage(127), LanguageBlock::German);
  EXPECT_EQ(BlockOfLanguage(-128), LanguageBlock::German);
}

// The block in use. Every test leaves German behind, so the start state
// holds whichever order the tests run in.

class CurrentBlockTest : public ::testing::Test {
 protected:
  void TearDown() override { SetCurrentBlock(LanguageBlock::German); }
};

TEST_F(CurrentBlockTest, StartsGerman) {
  EXPECT_EQ(CurrentBlock(), LanguageBlock::German);
  EXPECT_EQ(Text(kTextError), "Fehler");
}

TEST_F(CurrentBlockTest, TextFollowsSetCurrentBlock) {
  for (const LanguageBlock block : kAllBlocks) {
    SetCurrentBlock(block);
    EXPECT_EQ(CurrentBlock(), block);
    for (int n = 0; n < kTextCount; ++n) {
      EXPECT_EQ(&Text(n), &TextOf(block, n)) << NameOf(block) << " row " << n;
    }
  }
  SetCurrentBlock(LanguageBlock::English);
  EXPECT_EQ(Text(kTextError), "Error");
  SetCurrentBlock(LanguageBlock::German);
  EXPECT_EQ(Text(kTextError), "Fehler");
}

TEST_F(CurrentBlockTest, OutOfRangeRowsReadEmpty) {
  SetCurrentBlock(LanguageBlock::French);
  EXPECT_EQ(Text(-1), "");
  EXPECT_EQ(Text(kTextCount + kAddedTextCount), "");
  EXPECT_EQ(Text(1 << 20), "");
}

}  // namespace
}  // namespace calorix::i18n
