#include "evaluation/evaluation_snapshot.h"

#include <array>

#include "evaluation/summary_names.h"
#include "i18n/number_format.h"
#include "i18n/text_table.h"
#include "logdata/series_style.h"

namespace calorix::evaluation {

using logdata::Channel;

namespace {

// The readout lists channels as the selection panel does: inputs, other
// values, outputs.
constexpr std::array<Channel, logdata::kChannelCount> kReadoutOrder = {{
    Channel::T1, Channel::T2, Channel::T3, Channel::T4, Channel::T5, Channel::T6, Channel::TD, Channel::Flow,
    Channel::Power, Channel::Volume, Channel::Energy, Channel::R1, Channel::R2, Channel::R3, Channel::RError,
}};

bool Checked(const EvaluationSnapshot& shown, Channel channel) {
  return shown.view.checked[static_cast<std::size_t>(logdata::IndexOf(channel))];
}

}  // namespace

ValueReadout ReadoutAt(const EvaluationSnapshot& shown, DateTime t) {
  ValueReadout readout{t, {}};
  if (!shown.load.HasData()) return readout;
  for (const Channel channel : kReadoutOrder) {
    if (!Checked(shown, channel)) continue;
    std::string unit = UnitText(shown.load.Unit(channel));
    const std::optional<double> value = shown.perMonthShown && logdata::IsTotal(channel)
                                            ? shown.monthlyBars.ValueAt(channel, t)
                                            : shown.load.ValueAt(channel, t);
    readout.rows.push_back({channel, logdata::ChannelLabel(shown.settings, channel), unit, value});
    // The compared day's value at the same time of day, right below.
    if (auto compared = shown.comparison.RowAt(channel, unit, t)) readout.rows.push_back(std::move(*compared));
  }
  return readout;
}

std::optional<DateTime> NextRecordTime(const EvaluationSnapshot& shown, DateTime t, int direction) {
  if (!shown.load.HasData() || direction == 0) return std::nullopt;
  std::optional<DateTime> best;
  for (const Channel channel : kReadoutOrder) {
    if (!Checked(shown, channel)) continue;
    const auto next = shown.load.NeighbourTime(channel, t, direction);
    if (next && (!best || (direction > 0 ? *next < *best : *next > *best))) best = next;
  }
  return best;
}

std::vector<std::string> ReadoutText(const EvaluationSnapshot& shown, DateTime t) {
  const bool withDate = shown.view.span == Span::Month || shown.view.span == Span::Year;
  return ReadoutLines(ReadoutAt(shown, t), withDate, i18n::Text(i18n::kTextOutputOn),
                      i18n::Text(i18n::kTextOutputOff));
}

Color ChannelColor(const TChildSettings& settings, Channel channel) {
  return settings.Colors[static_cast<std::size_t>(logdata::SlotOf(channel))];
}

Color RowColor(const TChildSettings& settings, const ReadoutRow& row) {
  const Color color = ChannelColor(settings, row.channel);
  return row.compared ? LighterColor(color) : color;
}

RangeSummary Summary(const EvaluationSnapshot& shown) {
  if (!shown.load.HasData()) return {};
  std::vector<Channel> checked;
  for (const Channel channel : kReadoutOrder) {
    if (Checked(shown, channel)) checked.push_back(channel);
  }
  return shown.load.Summarize(shown.window.min, shown.window.max, checked, &shown.load.KeptWholeDays());
}

std::string SummaryText(const EvaluationSnapshot& shown) {
  if (!shown.load.HasData()) return {};
  std::string text;
  const char decimalPoint = i18n::DecimalPointOf(i18n::CurrentBlock());
  for (const std::string& line : SummaryLines(Summary(shown), SummaryNamesOf(shown.settings, *shown.load.Data()), decimalPoint)) {
    text += line + "\n";
  }
  return text;
}

}  // namespace calorix::evaluation
