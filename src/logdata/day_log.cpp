#include "logdata/day_log.h"

#include <cmath>
#include <optional>
#include <string>

#include "core/error.h"
#include "i18n/text_table.h"
#include "logdata/log_format.h"
#include "logdata/month.h"
#include "logdata/series_style.h"

namespace calorix::logdata {
namespace {

using chart::ChartSeries;
using chart::SeriesKind;

constexpr int kDateLength = 10;

std::string_view StampField(std::string_view record) {
  const std::size_t semicolon = record.find(';');
  return semicolon == std::string_view::npos ? std::string_view{} : record.substr(0, semicolon);
}

// The controller may stamp the first record of a file with the previous
// day's date, so the first record is dated like the second. A first record
// that really belongs late in the previous day would then land after the
// second record and drop every later one as going back in time; it keeps
// its own date in that case.
std::optional<std::string> RedatedFirstRecord(RecordLines records, DateStyle style) {
  std::string_view record0;
  std::string_view record1;
  if (!records.Next(record0) || !records.Next(record1) || record0.size() <= kDateLength ||
      record1.size() <= kDateLength) {
    return std::nullopt;
  }
  std::string redated(record1.substr(0, kDateLength));
  redated += record0.substr(kDateLength);
  DateStyle firstStyle = style;
  DateStyle secondStyle = style;
  const auto first = ReadStamp(StampField(redated), firstStyle);
  const auto second = ReadStamp(StampField(record1), secondStyle);
  if (first && second && *first > *second) return std::nullopt;
  return redated;
}

std::string_view NextValueField(std::string_view& rest) {
  const std::size_t semicolon = rest.find(';');
  if (semicolon == std::string_view::npos) {
    const std::string_view field = rest;
    rest = {};
    return field;
  }
  const std::string_view field = rest.substr(0, semicolon);
  rest.remove_prefix(semicolon + 1);
  return field;
}

void Lower(ChannelState& state, ChannelState to) {
  if (state > to) state = to;
}

double WholeMinutes(double days) { return std::floor(days * 1440.0 + 0.5); }

}  // namespace

TDay::TDay(DateTime dayDate, chart::ChartPanel* upper, chart::ChartPanel* lower)
    : upper_(upper), lower_(lower), previousTime_(dayDate), dayDate_(dayDate) {
  if (!upper || !lower) throw Error(i18n::Text(i18n::kTextDataStructureError));
  try {
    for (int i = 0; i < kFirstLowerEntry; ++i) {
      EntryAt(i).series = std::make_unique<ChartSeries>(SeriesKind::Line, upper_);
      if (IsOutput(ChannelAt(i))) EntryAt(i).series->SetStairs(true);
    }
    for (int w = 0; w < 4; ++w) {
      auto& series = EntryAt(kFirstLowerEntry + w).series;
      series = std::make_unique<ChartSeries>(SeriesKind::Bar, lower_);
      MakeBars(*series, OutputBarBase(w));
      series->SetMarksVisible(false);
    }
    // Every series takes a record's time stamp after the first column's.
    for (int i = 1; i < kEntryCount; ++i) EntryAt(i).series->FollowXsOf(EntryAt(0).series.get());
  } catch (const std::exception&) {
    throw Error(i18n::Text(i18n::kTextDataStructureError));
  }
}

TDay::~TDay() {
  if (month_) month_->RemoveDay(this);
  if (previous_) previous_->next_ = next_;
  if (next_) next_->previous_ = previous_;
}

void TDay::ParseDay(std::span<const std::string_view> records, bool powerInWatts, DateStyle headerStyle) {
  ParseDay(RecordLines(records), powerInWatts, headerStyle);
}

void TDay::ParseDay(RecordLines records, bool powerInWatts, DateStyle headerStyle) {
  if (records.AtEnd()) throw Error("Illegal State(43)");
  const std::optional<std::string> first = RedatedFirstRecord(records, headerStyle);
  readStyle_ = headerStyle;
  powerInWatts_ = powerInWatts;
  // Power in watts is shown in kilowatts: scaled as it is read, so that the
  // stored value is the scaled number rounded once.
  powerScale_ = powerInWatts ? 0.001 : 1.0;
  // A column with a value in one record usually has one in most: a series
  // gets room for a point per record (and a few gaps) with its first value,
  // so it is not regrown, and a series without values takes no room.
  const std::size_t count = records.CountLeft();
  reserveHint_ = count + count / 64 + 4;
  ReadRecords(records, first);
  for (SeriesEntry& entry : entries_) entry.series->ShrinkToFit();  // a year of days adds up
  // The channels of a record share its time stamp: one copy of the Xs.
  for (int i = 1; i < kEntryCount; ++i) {
    EntryAt(i).series->FollowXsOf(nullptr);
    for (int j = 0; j < i; ++j) {
      if (EntryAt(i).series->ShareXsWith(*EntryAt(j).series)) break;
    }
  }
}

void TDay::ParseMore(RecordLines records) {
  // Back to where the records ended, before the day was carried to midnight.
  volume_ = readVolume_;
  energy_ = readEnergy_;
  previousTime_ = readUntil_;
  ReadRecords(records, std::nullopt);
}

void TDay::ReadRecords(RecordLines& records, const std::optional<std::string>& first) {
  bool complete = !stoppedAtLine_;
  std::string_view record;
  for (bool firstRecord = true; complete && records.Next(record); firstRecord = false) {
    if (firstRecord && first) record = *first;
    try {
      complete = ParseRecord(record, readStyle_);
    } catch (const std::exception&) {
      complete = false;
    }
    if (!complete) stoppedAtLine_ = records.LineNumber();
  }
  readVolume_ = volume_;
  readEnergy_ = energy_;
  readUntil_ = previousTime_;
  if (complete) CarryToMidnight();
  previousTime_ = dayDate_ + 1.0;
  if (powerInWatts_) energy_ *= 0.001;
}

// Returns false when the record cannot be read, which ends the day.
bool TDay::ParseRecord(std::string_view record, DateStyle& style) {
  const std::size_t semicolon = record.find(';');
  const std::optional<DateTime> stamp = ReadStamp(StampField(record), style);
  const DateTime t = stamp ? *stamp : previousTime_ + kOneMinute;
  if (!firstRecordSeen_) {
    previousTime_ = t;
    firstRecordSeen_ = true;
  }
  if (interval_ == 0.0) interval_ = t - previousTime_;
  const bool afterGap = WholeMinutes(interval_) != WholeMinutes(t - previousTime_);
  if (afterGap) interval_ = 0.0;       // learn it again from the next two records
  if (t < previousTime_) return true;  // back in time: dropped
  previousTime_ = t;

  std::string_view rest = semicolon == std::string_view::npos ? record : record.substr(semicolon + 1);
  for (int k = 0; !rest.empty() && k < kColumnCount; ++k) {
    const std::string_view field = NextValueField(rest);
    if (field.empty()) {
      Lower(EntryAt(k).state, ChannelState::EmptyOnly);
    } else if (field == "Err") {
      Lower(EntryAt(k).state, ChannelState::ErrorOnly);
      ErrorReadings& errors = errors_[static_cast<std::size_t>(k)];
      if (errors.count++ == 0) errors.first = t;
      errors.last = t;
      errors.times.push_back(t);
    } else {
      double value = 0.0;
      if (!ParseLogNumber(field, value)) return false;
      ReadValue(k, value, t, afterGap);
    }
  }
  lastTime_ = t;
  return true;
}

void TDay::ReadValue(int column, double value, DateTime t, bool afterGap) {
  const Channel channel = ChannelAt(column);
  // An interval is accumulated at its end, with the value at its start.
  if (channel == Channel::Flow) {
    if (lastTime_ != 0.0) volume_ += (t - lastTime_) * 1440.0 * lastFlow_;
    lastFlow_ = value;
  } else if (channel == Channel::Power) {
    if (lastTime_ != 0.0) energy_ += (t - lastTime_) * 24.0 * lastPower_;
    lastPower_ = value;
  } else if (IsOutput(channel)) {
    const int w = OutputNumber(channel);
    ChartSeries& bars = *EntryAt(kFirstLowerEntry + w).series;
    if (EntryAt(column).state != ChannelState::HasValues) bars.Reserve(reserveHint_);
    if (afterGap) bars.AddNullPoint(t);
    // Even level 0 shows as a sliver 0.5 above the band's base.
    bars.AddPoint(t, OutputBarBase(w) + (value * 0.1 + 0.5));
  }
  SeriesEntry& entry = EntryAt(column);
  if (entry.state != ChannelState::HasValues) entry.series->Reserve(reserveHint_);
  if (afterGap) entry.series->AddNullPoint(t);
  entry.series->AddPoint(t, channel == Channel::Power ? value * powerScale_ : value);
  entry.state = ChannelState::HasValues;
}

void TDay::CarryToMidnight() {
  if (lastTime_ <= 1000.0) return;  // no real date was seen
  const double rest = std::ceil(lastTime_) - lastTime_;
  volume_ += rest * 1440.0 * lastFlow_;
  energy_ += rest * 24.0 * lastPower_;
}

int TDay::Append(TDay* day) {
  int length = 1;
  TDay* last = this;
  while (last->next_) {
    last = last->next_;
    ++length;
  }
  last->next_ = day;
  day->previous_ = last;
  for (TDay* d = day; d; d = d->next_) ++length;
  return length;
}

void TDay::SetMonth(TMonth* month) {
  if (month_ && month_ != month) month_->RemoveDay(this);
  month_ = month;
}

DateTime TDay::GetStartDate(int index) const {
  const TDay* day = this;
  for (int i = 0; i < index && day; ++i) day = day->next_;
  if (!day || index < 0) throw Error("Illegal State(41)");
  return day->dayDate_;
}

bool TDay::ShowChannel(Channel channel, bool& anyShown, ChannelState& lowest, bool showInLegend, DateTime windowStart,
                       DateTime windowEnd) {
  const int index = IndexOf(channel);
  for (TDay* day = this; day; day = day->next_) {
    if (!(day->dayDate_ < windowEnd && day->previousTime_ > windowStart)) continue;
    SeriesEntry& upper = day->EntryAt(index);
    SeriesEntry& placed = IsOutput(channel) ? day->EntryAt(kFirstLowerEntry + OutputNumber(channel)) : upper;
    placed.series->PlaceOnPanel();
    placed.shown = true;
    anyShown = true;
    // An output's bars on the lower chart too: one legend entry, not one per day.
    for (chart::ChartSeries* series : {upper.series.get(), placed.series.get()}) {
      series->SetShowInLegend(showInLegend);
      series->SetLegendRank(PanelPosition(channel));
    }
    Lower(lowest, upper.state);
    showInLegend = false;  // one legend entry per channel
  }
  return showInLegend;
}

void TDay::HideChannel(Channel channel) {
  for (TDay* day = this; day; day = day->next_) {
    SeriesEntry& upper = day->EntryAt(IndexOf(channel));
    if (upper.shown) upper.series->RemoveFromPanel();
    upper.shown = false;
    if (!IsOutput(channel)) continue;
    SeriesEntry& lower = day->EntryAt(kFirstLowerEntry + OutputNumber(channel));
    if (lower.shown) lower.series->RemoveFromPanel();
    lower.shown = false;
  }
}

void TDay::ApplySeriesSettings(Channel channel, const std::string& label, bool outputsAsBars, bool othersAsBars,
                               int lineWidth, Color color) {
  SeriesEntry& upper = EntryAt(IndexOf(channel));
  if (!upper.series) return;
  const bool output = IsOutput(channel);
  const bool other = IsOtherValue(channel);
  if ((output || other) && upper.shown) {
    if ((other && othersAsBars) || (output && outputsAsBars)) {
      MakeBars(*upper.series, 0.0);
    } else {
      MakeLines(*upper.series, false);
    }
    upper.series->SetAxis(chart::VerticalAxis::Left);
  }
  if (output) {
    const int w = OutputNumber(channel);
    SeriesEntry& lower = EntryAt(kFirstLowerEntry + w);
    if (lower.shown) {
      if (outputsAsBars) {
        MakeBars(*lower.series, OutputBarBase(w));
      } else {
        MakeLines(*lower.series, true);
      }
      ApplyColor(*lower.series, lower.color, color);
      lower.series->SetTitle(label);
      if (lower.series->Kind() == SeriesKind::Line) lower.series->SetPenWidth(lineWidth);
    }
  }
  if (upper.shown) ApplyColor(*upper.series, upper.color, color);
  upper.series->SetTitle(label);
  if (upper.series->Kind() == SeriesKind::Line) upper.series->SetPenWidth(lineWidth);
}

void TDay::SetChannelAxis(Channel channel, chart::VerticalAxis axis) {
  for (TDay* day = this; day; day = day->next_) day->EntryAt(IndexOf(channel)).series->SetAxis(axis);
}

}  // namespace calorix::logdata
