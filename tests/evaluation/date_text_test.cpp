#include "ui/date_text.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace calorix::ui {
namespace {

constexpr double kMay1 = 45413.0;  // 2024-05-01
constexpr double kDec9 = 45635.75;  // 2024-12-09 18:00

std::string Month(int month, QLocale::FormatType format) {
  return QLocale::system().standaloneMonthName(month, format).toStdString();
}

TEST(FormatDate, Numeric) {
  EXPECT_EQ(FormatDate(kNumericDate, kMay1), "01.05.2024");
  EXPECT_EQ(FormatDate(kNumericDate, kDec9), "09.12.2024");
}

TEST(FormatDate, LongAndShortMonthNamesFromTheSystem) {
  EXPECT_EQ(FormatDate(kLongDate, kMay1), "01. " + Month(5, QLocale::LongFormat) + " 2024");
  EXPECT_EQ(FormatDate(kShortDate, kDec9), "09. " + Month(12, QLocale::ShortFormat) + " 2024");
  EXPECT_EQ(FormatDate(kMonthYear, kDec9), Month(12, QLocale::LongFormat) + " 2024");
}

TEST(FormatDate, ShortCodesAndOtherCharacters) {
  EXPECT_EQ(FormatDate("d/m/yy", kDec9), "9/12/24");
}

}  // namespace
}  // namespace calorix::ui
