#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_series.h"
#include "core/date_time.h"
#include "logdata/channel.h"
#include "logdata/log_analysis.h"

namespace calorix::evaluation {

// The value a series shows at time t: its last sample at or before t.
// Nothing before its first sample and nothing inside a gap: the sample
// before a gap marker holds for one record interval, then the gap starts.
std::optional<double> SampleAt(const chart::ChartSeries& series, double t);

// The time of the first sample after t (direction > 0) or the last one
// before t (direction < 0), gap markers skipped.
std::optional<double> NeighbourSampleTime(const chart::ChartSeries& series, double t, int direction);

// One shown channel at the readout's time.
struct ReadoutRow {
  logdata::Channel channel = logdata::Channel::T1;
  std::string name;
  std::string unit;
  std::optional<double> value;  // nothing: no sample there (a gap, no record)
  bool compared = false;        // the value of the day laid over the shown one
  bool error = false;           // the record in force read "Err" (no value)
  friend bool operator==(const ReadoutRow&, const ReadoutRow&) = default;
};

struct ValueReadout {
  DateTime time = 0.0;
  std::vector<ReadoutRow> rows;
};

// The value of a channel at t, from the series of the evaluation that
// covers t (the first one loaded when several do).
std::optional<double> ChannelValueAt(const logdata::TLogAnalysis& evaluation, logdata::Channel channel, DateTime t);

// Whether the channel's record in force at t read "Err": an "Err" field
// holds as a value does, until the channel's next record, and for one
// record interval only when a gap in the records follows it.
bool ChannelReadsErrAt(const logdata::TLogAnalysis& evaluation, logdata::Channel channel, DateTime t);

// The time of the channel's next (direction > 0) or previous record from
// t, across the days of the evaluation.
std::optional<DateTime> ChannelNeighbourTime(const logdata::TLogAnalysis& evaluation, logdata::Channel channel,
                                             DateTime t, int direction);

// A unit as the header gives it ("[°C]") without its brackets.
std::string UnitText(std::string_view headerUnit);

// A number as the readout and the CSV export write it: "." as decimal
// point whatever the locale, the shortest text that reads back as the same
// value.
std::string NumberText(double value);

// The readout as lines of text: the time ("dd.mm.yyyy hh:nn" when
// withDate, else "hh:nn"), then one line per row, "name: value unit" for
// values and "name: on level unit" / "name: off" for outputs; "name: Err"
// where the record read "Err", "name: –" where there is no sample.
std::vector<std::string> ReadoutLines(const ValueReadout& readout, bool withDate, const std::string& onText,
                                      const std::string& offText);

}  // namespace calorix::evaluation
