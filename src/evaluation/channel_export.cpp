#include "evaluation/channel_export.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <vector>

#include "evaluation/csv_text.h"
#include "evaluation/evaluation_model.h"
#include "evaluation/value_readout.h"

namespace calorix::evaluation {
namespace {

using logdata::Channel;

constexpr double kMillisecondsPerDay = 86400000.0;

constexpr std::string_view kNames[logdata::kChannelCount] = {
    "T1", "T2", "T3", "T4", "T5", "T6", "TD", "Flow", "Power", "R1", "R2", "R3", "RError", "Volume", "Energy",
};

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string_view ChannelName(Channel channel) { return kNames[logdata::IndexOf(channel)]; }

std::optional<Channel> ChannelByName(std::string_view name) {
  for (int i = 0; i < logdata::kChannelCount; ++i) {
    const Channel channel = logdata::ChannelAt(i);
    const std::string_view header = logdata::InfoOf(channel).headerName;
    if (SameText(name, kNames[i]) || (!header.empty() && SameText(name, header))) return channel;
  }
  return std::nullopt;
}

// Rows are keyed by the second their time prints as (FormatDateTime rounds
// to the millisecond first), so that two days of one date whose times differ
// in the last bits still give one row.
std::string ChannelsCsv(const EvaluationModel& model) {
  const chart::ValueRange window = model.TimeWindow();
  // The readout's rows are the checked channels in panel order.
  const std::vector<ReadoutRow> columns = ReadoutAt(model.Snapshot(), window.min).rows;
  struct Row {
    double time;  // the first time that prints as this second
    std::vector<std::optional<double>> values;
  };
  std::map<long long, Row> rows;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    model.Snapshot().load.VisitChannelSeries(
        columns[c].channel, [&](const chart::ChartSeries& series, DateTime, DateTime) {
          for (std::size_t i = 0; i < series.Count(); ++i) {
            const double x = series.X(i);
            if (series.IsNull(i) || !(x >= window.min && x < window.max)) continue;
            const auto millisecond = static_cast<long long>(std::round(x * kMillisecondsPerDay));
            const long long second = millisecond / 1000 - (millisecond % 1000 < 0 ? 1 : 0);
            Row& row = rows.try_emplace(second, Row{x, {}}).first->second;
            row.values.resize(columns.size());
            if (!row.values[c]) row.values[c] = series.Y(i);  // the first loaded day wins, as in the readout
          }
        });
  }
  std::string csv = "time";
  for (const ReadoutRow& column : columns) {
    std::string heading(ChannelName(column.channel));
    if (!column.unit.empty()) heading += " [" + column.unit + "]";
    csv += "," + CsvField(heading);
  }
  csv += "\n";
  for (const auto& [second, row] : rows) {
    csv += FormatDateTime("yyyy-mm-dd hh:nn:ss", row.time);
    for (const std::optional<double>& value : row.values) {
      csv += ",";
      if (value) csv += CsvNumber(*value);
    }
    csv += "\n";
  }
  return csv;
}

}  // namespace calorix::evaluation
