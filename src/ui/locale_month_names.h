#pragma once

#include <QLocale>

#include "evaluation/date_text.h"

namespace calorix::ui {

// The month names of a locale, as dates in titles and captions show them.
evaluation::MonthNames MonthNamesOf(const QLocale& locale);

}  // namespace calorix::ui
