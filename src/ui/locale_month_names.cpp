#include "ui/locale_month_names.h"

namespace calorix::ui {

evaluation::MonthNames MonthNamesOf(const QLocale& locale) {
  evaluation::MonthNames names;
  for (int month = 1; month <= 12; ++month) {
    const auto i = static_cast<std::size_t>(month - 1);
    names.full[i] = locale.standaloneMonthName(month, QLocale::LongFormat).toStdString();
    names.abbreviated[i] = locale.standaloneMonthName(month, QLocale::ShortFormat).toStdString();
  }
  return names;
}

}  // namespace calorix::ui
