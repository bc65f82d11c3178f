#include "i18n/text_table.h"

#include "i18n/text_rows.h"

#include <array>

namespace calorix::i18n {
namespace {

constexpr int kRowCount = kTextCount + kAddedTextCount;
using Block = std::array<std::string, kRowCount>;
using Table = std::array<Block, kBlockCount>;

Block MakeBlock(TextRows rows, AddedTextRows added) {
  Block block;
  for (int n = 0; n < kTextCount; ++n) block[n] = rows[n];
  for (int n = 0; n < kAddedTextCount; ++n) block[kTextCount + n] = added[n];
  return block;
}

// Built on first use, so a text asked for during static initialisation
// elsewhere is already there.
const Table& TheTable() {
  static const Table table{
      MakeBlock(GermanRows(), GermanAddedRows()),   MakeBlock(EnglishRows(), EnglishAddedRows()),
      MakeBlock(FrenchRows(), FrenchAddedRows()),   MakeBlock(SpanishRows(), SpanishAddedRows()),
      MakeBlock(ItalianRows(), ItalianAddedRows()), MakeBlock(PortugueseRows(), PortugueseAddedRows())};
  return table;
}

const std::string& Empty() {
  static const std::string empty;
  return empty;
}

// Only the user-interface thread reads or switches the language, so a plain
// variable will do.
constinit LanguageBlock g_current = LanguageBlock::German;

}  // namespace

const std::string& TextOf(LanguageBlock block, int n) {
  const int b = static_cast<int>(block);
  if (b < 0 || b >= kBlockCount || n < 0 || n >= kRowCount) return Empty();
  return TheTable()[b][n];
}

LanguageBlock BlockOfLanguage(int code) {
  switch (code) {
    case 2:
    case 7:  // English (US) has no texts of its own.
      return LanguageBlock::English;
    case 3: return LanguageBlock::French;
    case 4: return LanguageBlock::Spanish;
    case 5: return LanguageBlock::Italian;
    case 6: return LanguageBlock::Portuguese;
    default:  // 0 (nothing stored yet), 1 and anything unknown
      return LanguageBlock::German;
  }
}

LanguageBlock CurrentBlock() { return g_current; }

void SetCurrentBlock(LanguageBlock block) { g_current = block; }

const std::string& Text(int n) { return TextOf(g_current, n); }

}  // namespace calorix::i18n
