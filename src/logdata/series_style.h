#pragma once

#include "chart/chart_series.h"
#include "core/child_settings.h"
#include "core/color.h"
#include "logdata/channel.h"

#include <string>

namespace calorix::logdata {

// Turns a series into bars drawn from base: 75 % wide, no outline, each bar
// at its own X. Points stay.
void MakeBars(chart::ChartSeries& series, double base);
// Turns a series into a line, drawn as stairs or not. Points stay.
void MakeLines(chart::ChartSeries& series, bool stairs);
// Gives the series and its coloured points the colour when it differs from
// the one last applied (remembered), leaving null points colourless.
void ApplyColor(chart::ChartSeries& series, Color& remembered, Color color);

// A channel's name as its curves and check box show it: the label of the
// settings, or for "DEFAULT_LABEL" the default name in the language in use.
std::string ChannelLabel(const TChildSettings& settings, Channel channel);

}  // namespace calorix::logdata
