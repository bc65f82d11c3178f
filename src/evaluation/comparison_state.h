#pragma once

#include <array>
#include <optional>
#include <vector>

#include "core/child_settings.h"
#include "core/date_time.h"
#include "evaluation/curve_placement.h"
#include "evaluation/date_text.h"
#include "evaluation/day_comparison.h"
#include "evaluation/display_notice.h"
#include "evaluation/evaluation_load.h"
#include "evaluation/evaluation_view.h"

namespace calorix::evaluation {

// Comparing two days: the choice of the compared day among the loaded
// dates, and its curves laid over the shown day. The compared day's curves
// of the checked T1..TD, Flow and Power follow the shown day through the
// day and hour spans, and leave in the month span and with a new load.
class ComparisonState {
 public:
  ComparisonState(chart::ChartPanel& upper, EvaluationLoad& load, CurvePlacement& curves, DisplayNotice& notice,
                  EvaluationView& view, const TChildSettings& settings, const MonthNames& monthNames);

  // Item 0 of the view's comparison items lays no day over the shown one,
  // item k the k-th loaded date.
  void Choose(int item);
  void Forget() { comparedDay_.reset(); }
  // Brings the choice and the compared curves up to date with the loaded
  // days, the shown day, the checked channels and their axes; with
  // restyle, lays the curves again whatever changed (new settings or
  // language).
  void Update(DateTime shownDay, bool restyle = false);

  std::optional<DateTime> ComparedDay() const { return comparedDay_; }
  const DayComparison& Curves() const { return comparison_; }

 private:
  struct Key {
    DateTime compared = 0.0;
    DateTime shown = 0.0;
    std::array<bool, logdata::kChannelCount> channels{};
    bool bothGroups = false;
    friend bool operator==(const Key&, const Key&) = default;
  };
  void Changed();

  EvaluationLoad& load_;
  CurvePlacement& curves_;
  DisplayNotice& notice_;
  EvaluationView& view_;
  const TChildSettings& settings_;
  const MonthNames& monthNames_;
  std::optional<DateTime> comparedDay_;
  std::vector<DateTime> dates_;  // the dates of the choice after "(none)"
  std::optional<Key> key_;       // what comparison_ shows
  DayComparison comparison_;
};

}  // namespace calorix::evaluation
