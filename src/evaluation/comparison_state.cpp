#include "evaluation/comparison_state.h"

#include <algorithm>
#include <string>

#include "evaluation/axis_rules.h"
#include "i18n/text_table.h"
#include "logdata/series_style.h"

namespace calorix::evaluation {

using logdata::Channel;

ComparisonState::ComparisonState(chart::ChartPanel& upper, EvaluationLoad& load, CurvePlacement& curves,
                                 DisplayNotice& notice, EvaluationView& view, const TChildSettings& settings,
                                 const MonthNames& monthNames)
    : load_(load),
      curves_(curves),
      notice_(notice),
      view_(view),
      settings_(settings),
      monthNames_(monthNames),
      comparison_(upper) {}

void ComparisonState::Choose(int item) {
  if (!load_.HasData() || item <= 0 || item > static_cast<int>(dates_.size())) {
    comparedDay_.reset();
  } else {
    comparedDay_ = dates_[static_cast<std::size_t>(item - 1)];
  }
}

void ComparisonState::Update(DateTime shownDay, bool restyle) {
  const bool multiDay = load_.HasData() && load_.IsMultiDay();
  std::vector<DateTime> dates;
  if (multiDay) dates = load_.CalendarDates();
  const bool listChanges = dates != dates_;
  if (listChanges) dates_ = std::move(dates);
  if (listChanges || restyle || view_.comparisonItems.empty()) {
    view_.comparisonItems = {i18n::Text(i18n::kTextNoComparison)};
    for (const DateTime date : dates_) view_.comparisonItems.push_back(FormatDate(kNumericDate, date, monthNames_));
  }
  const auto listed = std::find(dates_.begin(), dates_.end(), comparedDay_.value_or(-1.0));
  if (listed == dates_.end()) comparedDay_.reset();
  view_.comparisonItem = comparedDay_ ? static_cast<int>(listed - dates_.begin()) + 1 : 0;
  // Days are compared by their time of day: not in the month span.
  const bool dayView = view_.span == Span::Day || IsHourSpan(view_.span);
  view_.comparisonEnabled = multiDay && dates_.size() > 1 && dayView;

  if (!view_.comparisonEnabled || !comparedDay_) {
    if (!key_) return;
    key_.reset();
    comparison_.Clear();
    Changed();
    return;
  }
  const bool bothGroups = curves_.BothGroups();
  Key key{*comparedDay_, shownDay, {}, bothGroups};
  std::vector<Channel> channels;
  std::array<ComparedStyle, logdata::kChannelCount> styles;
  const std::string date = FormatDate(kNumericDate, *comparedDay_, monthNames_);
  for (int i = 0; i < logdata::kChannelCount; ++i) {
    const Channel channel = logdata::ChannelAt(i);
    const auto k = static_cast<std::size_t>(i);
    if (!IsComparable(channel) || !view_.checked[k]) continue;
    key.channels[k] = true;
    channels.push_back(channel);
    const Color color = settings_.Colors[static_cast<std::size_t>(logdata::SlotOf(channel))];
    styles[k] = {ComparedName(logdata::ChannelLabel(settings_, channel), date), LighterColor(color),
                 settings_.LineWidth, AxisOfChannel(channel, bothGroups)};
  }
  if (!restyle && key_ == key) return;
  key_ = key;
  comparison_.Show(*load_.Analysis(), shownDay, *comparedDay_, channels, styles);
  Changed();
}

// The compared curves count for dynamic scaling.
void ComparisonState::Changed() {
  curves_.UpdateAxes();
  notice_.Changed();
}

}  // namespace calorix::evaluation
