#include "evaluation/evaluation_snapshot.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "evaluation/summary_names.h"
#include "i18n/number_format.h"
#include "i18n/text_table.h"
#include "logdata/series_style.h"

namespace calorix::evaluation {

using logdata::Channel;

namespace {

// A month's total to a tenth, "." as decimal point as the readout has it.
std::string TenthsText(double value) {
  char buffer[48];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
  if (error != std::errc()) return NumberText(value);
  return std::string(buffer, end);
}

bool Checked(const EvaluationSnapshot& shown, Channel channel) {
  return shown.view.checked[static_cast<std::size_t>(logdata::IndexOf(channel))];
}

}  // namespace

ValueReadout ReadoutAt(const EvaluationSnapshot& shown, DateTime t) {
  ValueReadout readout{t, {}};
  if (!shown.load.HasData()) return readout;
  for (const Channel channel : logdata::kPanelOrder) {
    if (!Checked(shown, channel)) continue;
    std::string unit = UnitText(shown.load.Unit(channel));
    const std::optional<double> value = shown.perMonthShown && logdata::IsTotal(channel)
                                            ? shown.monthlyBars.ValueAt(channel, t)
                                            : shown.load.ValueAt(channel, t);
    const bool error = !(shown.perMonthShown && logdata::IsTotal(channel)) && shown.load.ReadsErrAt(channel, t);
    readout.rows.push_back(
        {channel, logdata::ChannelLabel(shown.settings, channel), unit, error ? std::nullopt : value, false, error});
    // The compared day's value at the same time of day, right below.
    if (auto compared = shown.comparison.RowAt(channel, unit, t)) readout.rows.push_back(std::move(*compared));
  }
  return readout;
}

std::optional<DateTime> NextRecordTime(const EvaluationSnapshot& shown, DateTime t, int direction) {
  if (!shown.load.HasData() || direction == 0) return std::nullopt;
  std::optional<DateTime> best;
  for (const Channel channel : logdata::kPanelOrder) {
    if (!Checked(shown, channel)) continue;
    const auto next = shown.load.NeighbourTime(channel, t, direction);
    if (next && (!best || (direction > 0 ? *next < *best : *next > *best))) best = next;
  }
  return best;
}

std::vector<std::string> ReadoutText(const EvaluationSnapshot& shown, DateTime t) {
  const bool withDate = shown.view.span == Span::Month || shown.view.span == Span::Year;
  const ValueReadout readout = ReadoutAt(shown, t);
  std::vector<std::string> lines =
      ReadoutLines(readout, withDate, i18n::Text(i18n::kTextOutputOn), i18n::Text(i18n::kTextOutputOff));
  if (!shown.perMonthShown) return lines;
  // A monthly bar stands for its month, not for the time under the mouse.
  const std::string month = FormatDate(kMonthYear, std::floor(t), *shown.monthNames);
  const bool onlyMonthly = std::all_of(readout.rows.begin(), readout.rows.end(),
                                       [](const ReadoutRow& row) { return logdata::IsTotal(row.channel); });
  if (onlyMonthly && !readout.rows.empty()) lines.front() = month;
  for (std::size_t i = 0; i < readout.rows.size() && i + 1 < lines.size(); ++i) {
    const ReadoutRow& row = readout.rows[i];
    if (!logdata::IsTotal(row.channel)) continue;
    std::string line = onlyMonthly ? row.name : row.name + ", " + month;
    line += ": " + (row.value ? TenthsText(*row.value) : std::string("\u2013"));
    if (row.value && !row.unit.empty()) line += " " + row.unit;
    lines[i + 1] = line;
  }
  return lines;
}

Color ChannelColor(const TChildSettings& settings, Channel channel) {
  return settings.Colors[static_cast<std::size_t>(logdata::SlotOf(channel))];
}

Color RowColor(const TChildSettings& settings, const ReadoutRow& row) {
  const Color color = ChannelColor(settings, row.channel);
  return row.compared ? LighterColor(color) : color;
}

RangeSummary Summary(const EvaluationSnapshot& shown) {
  if (!shown.load.HasData() || shown.loading) return {};
  std::vector<Channel> checked;
  for (const Channel channel : logdata::kPanelOrder) {
    if (Checked(shown, channel)) checked.push_back(channel);
  }
  return shown.load.Summarize(shown.window.min, shown.window.max, checked, &shown.load.KeptWholeDays());
}

std::string SummaryText(const EvaluationSnapshot& shown) {
  // While a range loads the time axis stands at day 0, not in the range.
  if (!shown.load.HasData() || shown.loading) return {};
  std::string text;
  const char decimalPoint = i18n::DecimalPointOf(i18n::CurrentBlock());
  for (const std::string& line :
       SummaryLines(Summary(shown), SummaryNamesOf(shown.settings, *shown.load.Data()), decimalPoint)) {
    text += line + "\n";
  }
  return text;
}

}  // namespace calorix::evaluation
