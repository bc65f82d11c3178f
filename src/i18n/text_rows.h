#pragma once

#include "i18n/text_table.h"

#include <span>
#include <string_view>

namespace calorix::i18n {

// One language's rows in text order. The fixed extent turns a row too many or
// too few into a compile error.
using TextRows = std::span<const std::string_view, kTextCount>;
using AddedTextRows = std::span<const std::string_view, kAddedTextCount>;

TextRows GermanRows();
TextRows EnglishRows();
TextRows FrenchRows();
TextRows SpanishRows();
TextRows ItalianRows();
TextRows PortugueseRows();

AddedTextRows GermanAddedRows();
AddedTextRows EnglishAddedRows();
AddedTextRows FrenchAddedRows();
AddedTextRows SpanishAddedRows();
AddedTextRows ItalianAddedRows();
AddedTextRows PortugueseAddedRows();

}  // namespace calorix::i18n
