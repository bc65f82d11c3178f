#include "evaluation/axis_rules.h"

#include <cmath>

namespace calorix::evaluation {

using logdata::Channel;

namespace {

constexpr const char* kUnitSeparator = "   ";

constexpr Channel kTemperatures[] = {Channel::T1, Channel::T2, Channel::T3, Channel::T4,
                                     Channel::T5, Channel::T6, Channel::TD};
constexpr Channel kOthers[] = {Channel::Flow, Channel::Power, Channel::Volume, Channel::Energy};
constexpr Channel kOutputs[] = {Channel::R1, Channel::R2, Channel::R3, Channel::RError};

bool IsChecked(const AxisSelection& selection, Channel channel) {
  return selection.checked[static_cast<std::size_t>(logdata::IndexOf(channel))];
}

const std::string& UnitOf(const AxisSelection& selection, Channel channel) {
  return selection.units[static_cast<std::size_t>(logdata::IndexOf(channel))];
}

}  // namespace

void AppendUnit(std::string& list, const std::string& unit) {
  if (!unit.empty() && list.find(unit) != std::string::npos) return;
  if (list.empty()) {
    list = unit;
  } else {
    list += kUnitSeparator;
    list += unit;
  }
}

AxisTitles ComposeAxisTitles(const AxisSelection& selection) {
  std::string temperatures;
  std::string others;
  std::string outputs;
  bool anyTemperature = false;
  bool anyOther = false;
  for (const Channel c : kTemperatures) {
    if (!IsChecked(selection, c)) continue;
    AppendUnit(temperatures, UnitOf(selection, c));
    anyTemperature = true;
  }
  for (const Channel c : kOthers) {
    if (!IsChecked(selection, c)) continue;
    AppendUnit(others, UnitOf(selection, c));
    anyOther = true;
  }
  for (const Channel c : kOutputs) {
    if (IsChecked(selection, c) && !UnitOf(selection, c).empty()) AppendUnit(outputs, UnitOf(selection, c));
  }

  AxisTitles titles;
  titles.anyTemperature = anyTemperature;
  titles.anyOther = anyOther;
  titles.bothGroups = anyTemperature && anyOther;
  titles.upperLeft = temperatures;
  titles.lowerLeft = outputs;
  if (titles.bothGroups) {
    titles.upperRight = others;
  } else if (titles.upperLeft.empty()) {
    titles.upperLeft = others;
  } else {
    titles.upperLeft += kUnitSeparator;
    titles.upperLeft += others;
  }
  return titles;
}

chart::VerticalAxis AxisOfChannel(Channel channel, bool bothGroups) {
  return logdata::IsOtherValue(channel) && bothGroups ? chart::VerticalAxis::Right : chart::VerticalAxis::Left;
}

int LowerChartMargin(ChartSide side, double upperAxisMaximum, int w) {
  const bool wide = upperAxisMaximum >= 1000.0;
  if (side == ChartSide::Left) {
    if (!wide) return 3;
    return w > 1190 ? 4 : w > 730 ? 5 : 6;
  }
  if (!wide) return w > 1450 ? 5 : w > 1020 ? 6 : w > 800 ? 7 : w > 650 ? 8 : 9;
  return w > 1450 ? 6 : w > 1100 ? 7 : w > 935 ? 8 : w > 775 ? 9 : w > 680 ? 10 : w > 590 ? 11 : 12;
}

chart::ValueRange DynamicAxisRange(chart::ValueRange automatic) {
  return {std::trunc(automatic.min) - 0.2, std::trunc(automatic.max) + 1.0};
}

}  // namespace calorix::evaluation
