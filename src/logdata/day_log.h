#pragma once

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_panel.h"
#include "chart/chart_series.h"
#include "core/color.h"
#include "core/date_time.h"
#include "logdata/channel.h"
#include "logdata/log_format.h"

namespace calorix::logdata {

class TMonth;

// One day's samples: nineteen chart series (one per channel on the upper
// chart, and the four outputs again as bars on the lower chart) plus the
// volume and energy accumulated over the day. The day logs of a month form
// a doubly linked list in the order they were added.
class TDay {
 public:
  static constexpr int kEntryCount = 19;
  static constexpr int kFirstLowerEntry = 15;

  struct SeriesEntry {
    bool shown = false;
    Color color = kNoColor;  // the colour last applied
    ChannelState state = ChannelState::NoColumn;
    std::unique_ptr<chart::ChartSeries> series;
  };

  // Fails with text 98 when either chart is missing.
  TDay(DateTime dayDate, chart::ChartPanel* upper, chart::ChartPanel* lower);
  // Leaves its month, joins its neighbours and destroys its series (which
  // takes them off their charts).
  ~TDay();
  TDay(const TDay&) = delete;
  TDay& operator=(const TDay&) = delete;

  // Parses every record of the day (header and empty lines already removed),
  // reading time stamps in the header's style. A record that cannot be read
  // ends the day; what was read before stays, and StoppedAtLine tells where.
  void ParseDay(RecordLines records, bool powerInWatts, DateStyle headerStyle);
  void ParseDay(std::span<const std::string_view> records, bool powerInWatts, DateStyle headerStyle);
  // Parses records that followed the ones ParseDay (and ParseMore before)
  // had, as if they had been there all along: the series, totals and states
  // are then those ParseDay gives for all records at once. Nothing is read
  // after a day that stopped early. The series keep their own Xs from then
  // on, so that each call costs only what it reads.
  void ParseMore(RecordLines records);
  // The line number of the record that could not be read and ended the day
  // early; nothing when every record was read.
  std::optional<std::size_t> StoppedAtLine() const { return stoppedAtLine_; }

  // Links day behind the last day log of this list; returns the list length
  // counted from this day log.
  int Append(TDay* day);
  TDay* GetNext() const { return next_; }
  TDay* GetPrevious() const { return previous_; }
  // Records the owning month, leaving the month it belonged to before.
  void SetMonth(TMonth* month);

  // The day date of the day log index places further down the list.
  DateTime GetStartDate(int index) const;
  DateTime DayDate() const { return dayDate_; }
  // After parsing: the end of the day (day date + 1).
  DateTime DayEnd() const { return previousTime_; }
  // The time stamp of the last record read; 0 before any.
  DateTime LastRecordTime() const { return lastTime_; }
  double GetVolume() const { return volume_; }
  double GetEnergy() const { return energy_; }

  // Places the channel's series of every day log from here on that overlaps
  // the window; anyShown and lowest are updated, one legend entry is given.
  // Returns whether the legend entry is still pending (nothing placed).
  bool ShowChannel(Channel channel, bool& anyShown, ChannelState& lowest, bool showInLegend, DateTime windowStart,
                   DateTime windowEnd);
  // Takes the channel's series off the charts, from here to the list's end.
  void HideChannel(Channel channel);
  // Applies label, kind, width and colour to this day log's series.
  void ApplySeriesSettings(Channel channel, const std::string& label, bool outputsAsBars, bool othersAsBars,
                           int lineWidth, Color color);
  // The value axis of the channel's upper series, from here to the list's end.
  void SetChannelAxis(Channel channel, chart::VerticalAxis axis);

  // The fields of a value column that read "Err": they leave no point in
  // the series, so the day keeps how many there were and when.
  struct ErrorReadings {
    std::size_t count = 0;
    DateTime first = 0.0;
    DateTime last = 0.0;
    std::vector<DateTime> times;  // of each, in record order (ascending)
  };
  const ErrorReadings& Errors(Channel channel) const { return errors_.at(static_cast<std::size_t>(IndexOf(channel))); }

  const SeriesEntry& Entry(int index) const { return entries_[static_cast<std::size_t>(index)]; }
  ChannelState State(Channel channel) const { return Entry(IndexOf(channel)).state; }
  const chart::ChartSeries& UpperSeries(Channel channel) const { return *Entry(IndexOf(channel)).series; }
  const chart::ChartSeries& LowerSeries(Channel output) const {
    return *Entry(kFirstLowerEntry + OutputNumber(output)).series;
  }

 private:
  void ReadRecords(RecordLines& records, const std::optional<std::string>& first);
  bool ParseRecord(std::string_view record, DateStyle& style);
  void ReadValue(int column, double value, DateTime t, bool afterGap);
  void CarryToMidnight();
  SeriesEntry& EntryAt(int index) { return entries_[static_cast<std::size_t>(index)]; }

  TDay* previous_ = nullptr;
  TDay* next_ = nullptr;
  TMonth* month_ = nullptr;
  double volume_ = 0.0;
  double energy_ = 0.0;
  chart::ChartPanel* upper_;
  chart::ChartPanel* lower_;
  bool firstRecordSeen_ = false;
  DateTime previousTime_;
  double interval_ = 0.0;
  DateTime dayDate_;
  DateTime lastTime_ = 0.0;
  std::size_t reserveHint_ = 0;  // room for a series when it takes its first value
  std::optional<std::size_t> stoppedAtLine_;
  double lastFlow_ = 0.0;
  double lastPower_ = 0.0;
  double powerScale_ = 1.0;  // to the unit shown
  bool powerInWatts_ = false;
  // Where reading stopped, for ParseMore: the style stamps are read in, the
  // totals before the last record was carried to midnight, its time.
  DateStyle readStyle_ = DateStyle::YearMonthDay;
  double readVolume_ = 0.0;
  double readEnergy_ = 0.0;
  DateTime readUntil_ = 0.0;
  std::array<SeriesEntry, kEntryCount> entries_;
  std::array<ErrorReadings, kColumnCount> errors_{};
};

// The base line of output w's band on the lower chart: 44.5, 29.5, 14.5, -0.5.
constexpr double OutputBarBase(int w) { return 44.5 - 15.0 * w; }

}  // namespace calorix::logdata
