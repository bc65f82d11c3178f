#pragma once

#include "i18n/text_table.h"

namespace calorix::i18n {

// The decimal point numbers are shown with to a reader of block: "." in
// English, "," in the other languages.
constexpr char DecimalPointOf(LanguageBlock block) { return block == LanguageBlock::English ? '.' : ','; }

}  // namespace calorix::i18n
