#include "evaluation/err_marks.h"

#include "logdata/day_log.h"

#include <optional>

namespace calorix::evaluation {

using logdata::Channel;

namespace {

std::optional<double> Between(const chart::ChartSeries& line, std::optional<std::size_t> before,
                              std::optional<std::size_t> after, DateTime t) {
  if (!before && !after) return std::nullopt;
  if (!before || !after) return line.Y(before ? *before : *after);
  const double x0 = line.X(*before);
  const double x1 = line.X(*after);
  const double share = x1 > x0 ? (t - x0) / (x1 - x0) : 0.0;
  return line.Y(*before) + share * (line.Y(*after) - line.Y(*before));
}

// A day's records in time order: one walk along the line for all times.
std::vector<std::pair<DateTime, double>> AlongAscending(const chart::ChartSeries& line,
                                                        const std::vector<DateTime>& errTimes) {
  std::vector<std::pair<DateTime, double>> points;
  std::optional<std::size_t> before;
  std::size_t i = 0;
  for (const DateTime t : errTimes) {
    for (; i < line.Count() && line.X(i) <= t; ++i) {
      if (!line.IsNull(i)) before = i;
    }
    std::optional<std::size_t> after;
    for (std::size_t j = i; j < line.Count() && !after; ++j) {
      if (!line.IsNull(j)) after = j;
    }
    if (const auto y = Between(line, before, after, t)) points.emplace_back(t, *y);
  }
  return points;
}

}  // namespace

std::vector<std::pair<DateTime, double>> ErrMarkPoints(const chart::ChartSeries& line,
                                                       const std::vector<DateTime>& errTimes) {
  if (line.XAscending()) return AlongAscending(line, errTimes);
  std::vector<std::pair<DateTime, double>> points;
  for (const DateTime t : errTimes) {
    std::optional<std::size_t> before;
    std::optional<std::size_t> after;
    for (std::size_t i = 0; i < line.Count(); ++i) {
      if (line.IsNull(i)) continue;
      const double x = line.X(i);
      if (x <= t && (!before || x >= line.X(*before))) before = i;
      if (x > t && (!after || x < line.X(*after))) after = i;
    }
    if (const auto y = Between(line, before, after, t)) points.emplace_back(t, *y);
  }
  return points;
}

void ErrMarks::Show(const logdata::TLogAnalysis& evaluation, Channel channel, DateTime from, DateTime to) {
  const int index = logdata::IndexOf(channel);
  if (index < 0 || index >= static_cast<int>(kMarkedChannels)) return;
  const bool output = logdata::IsOutput(channel);
  auto marks = std::make_unique<chart::ChartSeries>(chart::SeriesKind::Line, output ? &lower_ : &upper_);
  marks->SetShowInLegend(false);
  evaluation.VisitDays([&](const logdata::TDay& day) {
    if (day.DayDate() >= to || day.DayDate() + 1.0 <= from) return;
    const std::vector<DateTime>& times = day.Errors(channel).times;
    if (times.empty()) return;
    for (const auto& [t, y] : ErrMarkPoints(day.UpperSeries(channel), times)) {
      // Each mark stands alone between gaps, so it is drawn as a dot.
      marks->AddNullPoint(t);
      marks->AddPoint(t, output ? logdata::OutputBarBase(logdata::OutputNumber(channel)) + 0.5 : y);
      marks->AddNullPoint(t);
    }
  });
  if (marks->Count() == 0) {
    marks_[static_cast<std::size_t>(index)].reset();
    return;
  }
  marks->PlaceOnPanel();
  marks_[static_cast<std::size_t>(index)] = std::move(marks);
}

void ErrMarks::Hide(Channel channel) {
  const int index = logdata::IndexOf(channel);
  if (index >= 0 && index < static_cast<int>(kMarkedChannels)) marks_[static_cast<std::size_t>(index)].reset();
}

void ErrMarks::Clear() {
  for (auto& marks : marks_) marks.reset();
}

void ErrMarks::Style(const TChildSettings& settings) {
  for (std::size_t i = 0; i < kMarkedChannels; ++i) {
    if (!marks_[i]) continue;
    const Color color =
        settings.Colors[static_cast<std::size_t>(logdata::SlotOf(logdata::ChannelAt(static_cast<int>(i))))];
    marks_[i]->RecolorPoints(color);
    marks_[i]->SetSeriesColor(color);
    // A dot wider than the line, so that it shows on it.
    marks_[i]->SetPenWidth(2 * settings.LineWidth + 3);
  }
}

void ErrMarks::SetAxis(Channel channel, chart::VerticalAxis axis) {
  const int index = logdata::IndexOf(channel);
  if (index < 0 || index >= static_cast<int>(kMarkedChannels)) return;
  if (const auto& marks = marks_[static_cast<std::size_t>(index)]; marks && !logdata::IsOutput(channel)) {
    marks->SetAxis(axis);
  }
}

}  // namespace calorix::evaluation
