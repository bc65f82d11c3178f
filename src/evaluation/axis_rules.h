#pragma once

#include <array>
#include <string>

#include "chart/chart_series.h"
#include "logdata/channel.h"

namespace calorix::evaluation {

// Which channels are checked, and the unit of each, by channel index.
struct AxisSelection {
  std::array<bool, logdata::kChannelCount> checked{};
  std::array<std::string, logdata::kChannelCount> units{};
};

// The value-axis titles and sides that follow from a selection.
struct AxisTitles {
  std::string upperLeft;
  std::string upperRight;
  std::string lowerLeft;
  bool anyTemperature = false;
  bool anyOther = false;  // Flow, Power, Volume or Energy
  // Temperatures and other values are both shown: the other values move to
  // the upper chart's right axis.
  bool bothGroups = false;
};

// Adds a unit to a title list unless the list already contains it. Units
// are separated by three blanks. An empty unit is never found in a list,
// so it adds just the separator, as the title lists always did.
void AppendUnit(std::string& list, const std::string& unit);

// The temperature units on the upper left axis, the other values' units on
// the right axis when both groups are shown (else after the temperatures on
// the left), the outputs' units on the lower left axis.
AxisTitles ComposeAxisTitles(const AxisSelection& selection);

// Where a channel's upper series goes: the other values follow bothGroups,
// everything else stays on the left.
chart::VerticalAxis AxisOfChannel(logdata::Channel channel, bool bothGroups);

enum class ChartSide { Left, Right };

// A margin of the lower chart in percent of its width, chosen so that its
// plot lines up with the upper chart's, whose axis labels take the more
// room the larger its maximum on that side is.
int LowerChartMargin(ChartSide side, double upperAxisMaximum, int lowerChartWidth);

// The fixed range a dynamically scaled axis takes from the range its series
// span: both ends truncated toward zero, then a little room below and a
// whole unit above.
chart::ValueRange DynamicAxisRange(chart::ValueRange automatic);

}  // namespace calorix::evaluation
