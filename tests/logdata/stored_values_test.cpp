// The samples of a day as the series keep them (eight bytes a point) against
// the same records parsed to doubles here: every X bit for bit, every value
// as the float nearest the parsed double, printing as it was written.
#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_panel.h"
#include "logdata/day_log.h"
#include "logdata/log_format.h"
#include "tools/log_generator.h"

namespace calorix::logdata {
namespace {

struct Sample {
  std::optional<DateTime> x;  // none for the first record, which may take the second's date
  double value;
  std::string text;
};

std::vector<std::string_view> Fields(std::string_view record) {
  std::vector<std::string_view> fields;
  for (std::size_t from = 0;;) {
    const std::size_t semicolon = record.find(';', from);
    fields.push_back(record.substr(from, semicolon - from));
    if (semicolon == std::string_view::npos) return fields;
    from = semicolon + 1;
  }
}

// Non-null points of the series, in order, with the colour they carry.
// stored: what the day log keeps for a parsed value, in double; printed
// tells whether the value must print as written (with extra decimals).
void ExpectSamples(const chart::ChartSeries& series, const std::vector<Sample>& expected,
                   const std::function<double(double)>& stored, std::optional<int> printed) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < series.Count(); ++i) {
    EXPECT_EQ(series.PointColor(i) == kNoColor, series.IsNull(i)) << i;
    if (series.IsNull(i)) continue;
    ASSERT_LT(n, expected.size());
    const Sample& s = expected[n++];
    if (s.x) {
      EXPECT_EQ(std::bit_cast<std::uint64_t>(series.X(i)), std::bit_cast<std::uint64_t>(*s.x)) << i;
    }
    EXPECT_EQ(static_cast<float>(series.Y(i)), static_cast<float>(stored(s.value))) << i;
    if (!printed) continue;
    if (*printed == 0) {
      EXPECT_EQ(series.Y(i), s.value) << s.text;  // the very double parsed
    }
    const std::size_t comma = s.text.find(',');
    const int decimals = (comma == std::string::npos ? 0 : static_cast<int>(s.text.size() - comma - 1)) + *printed;
    char fromStore[40];
    std::snprintf(fromStore, sizeof fromStore, "%.*f", decimals, series.Y(i));
    char fromDouble[40];
    std::snprintf(fromDouble, sizeof fromDouble, "%.*f", decimals, stored(s.value));
    EXPECT_STREQ(fromStore, fromDouble) << s.text;
  }
  EXPECT_EQ(n, expected.size());
}

TEST(StoredValues, EverySampleComesBackAsParsed) {
  for (const auto power : {loggen::PowerUnit::Kilowatt, loggen::PowerUnit::Watt}) {
    loggen::Options options;
    options.power = power;
    const std::string bytes = loggen::GenerateDay({2024, 6, 21}, options);
    const auto lines = SplitLines(bytes, false);
    LogReadState reading;
    ASSERT_TRUE(CheckHeader(lines[0], reading));
    const std::vector<std::string_view> records(lines.begin() + 1, lines.end());
    chart::ChartPanel upper, lower;
    TDay day(DayDateOf(records, reading.dateStyle), &upper, &lower);
    day.ParseDay(records, reading.powerInWatts, reading.dateStyle);

    std::vector<std::vector<Sample>> columns(kColumnCount);
    for (std::size_t r = 0; r < records.size(); ++r) {
      const auto fields = Fields(records[r]);
      DateStyle style = reading.dateStyle;
      std::optional<DateTime> stamp = ReadStamp(fields[0], style);
      ASSERT_TRUE(stamp);
      if (r == 0) stamp.reset();
      for (std::size_t k = 1; k < fields.size() && k <= static_cast<std::size_t>(kColumnCount); ++k) {
        double value = 0.0;
        if (ParseLogNumber(fields[k], value)) columns[k - 1].push_back({*stamp, value, std::string(fields[k])});
      }
    }
    for (int k = 0; k < kColumnCount; ++k) {
      const Channel channel = ChannelAt(k);
      const chart::ChartSeries& series = day.UpperSeries(channel);
      const std::vector<Sample>& expected = columns[static_cast<std::size_t>(k)];
      const bool kilowatts = channel == Channel::Power && reading.powerInWatts;
      SCOPED_TRACE(k);
      ExpectSamples(
          series, expected, [kilowatts](double v) { return kilowatts ? v * 0.001 : v; }, kilowatts ? 3 : 0);
      if (!IsOutput(channel)) continue;
      const int w = OutputNumber(channel);
      ExpectSamples(
          day.LowerSeries(channel), expected, [w](double v) { return OutputBarBase(w) + (v * 0.1 + 0.5); },
          std::nullopt);
    }
  }
}

}  // namespace
}  // namespace calorix::logdata
