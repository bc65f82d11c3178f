#pragma once

#include <array>
#include <string>
#include <vector>

#include "evaluation/time_position.h"
#include "evaluation/window_caption.h"
#include "logdata/channel.h"

namespace calorix::evaluation {

// What a window shows of an evaluation besides the charts, for the widgets
// to copy. Channels are indexed by logdata::IndexOf.
struct EvaluationView {
  int spanCount = kSingleDaySpanCount;  // items of the span choice, from "1 hour" on
  Span span = Span::Day;
  SliderState slider;
  std::array<bool, logdata::kChannelCount> checked{};
  std::array<bool, logdata::kChannelCount> enabled{};
  CaptionParts caption;
  // The shown day can be opened in a spreadsheet.
  bool spreadsheetAvailable = false;
  // Holding a scroll button scrolls (not in the month span).
  bool scrollRepeat = true;
  // The choice of a day to compare with: "(none)", then the loaded days'
  // dates; open for a range of days in the day and hour spans.
  std::vector<std::string> comparisonItems;
  int comparisonItem = 0;
  bool comparisonEnabled = false;
  // The year span: its "Per month" box is shown, and whether it is ticked
  // (twelve monthly total bars a year instead of the daily ones).
  bool perMonthVisible = false;
  bool perMonth = false;
  friend bool operator==(const EvaluationView&, const EvaluationView&) = default;
};

}  // namespace calorix::evaluation
