#include "evaluation/date_text.h"

#include <gtest/gtest.h>

namespace calorix::evaluation {
namespace {

constexpr double kMay1 = 45413.0;   // 2024-05-01
constexpr double kDec9 = 45635.75;  // 2024-12-09 18:00

TEST(FormatDate, Numeric) {
  EXPECT_EQ(FormatDate(kNumericDate, kMay1), "01.05.2024");
  EXPECT_EQ(FormatDate(kNumericDate, kDec9), "09.12.2024");
}

TEST(FormatDate, LongAndShortMonthNamesFromTheGivenNames) {
  MonthNames german = EnglishMonthNames();
  german.full[4] = "Mai";
  german.abbreviated[11] = "Dez.";
  EXPECT_EQ(FormatDate(kLongDate, kMay1, german), "01. Mai 2024");
  EXPECT_EQ(FormatDate(kShortDate, kDec9, german), "09. Dez. 2024");
  EXPECT_EQ(FormatDate(kMonthYear, kDec9), "December 2024");
}

TEST(FormatDate, ShortCodesAndOtherCharacters) { EXPECT_EQ(FormatDate("d/m/yy", kDec9), "9/12/24"); }

}  // namespace
}  // namespace calorix::evaluation
