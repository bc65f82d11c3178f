#include "chart/chart_series.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_panel.h"

namespace calorix::chart {
namespace {

TEST(SeriesPoints, KeepInsertionOrderAndNeverSort) {
  ChartPanel panel;
  ChartSeries series(SeriesKind::Line, &panel);
  series.AddPoint(3.0, 30.0);
  series.AddPoint(1.0, 10.0);
  ASSERT_EQ(series.Count(), 2u);
  EXPECT_EQ(series.X(0), 3.0);
  EXPECT_EQ(series.X(1), 1.0);
  EXPECT_FALSE(series.XAscending());
}

TEST(SeriesPoints, NullPointsHaveNoColourAndNoValue) {
  ChartPanel panel;
  ChartSeries series(SeriesKind::Line, &panel);
  series.AddPoint(1.0, 5.0);
  series.AddNullPoint(2.0);
  series.AddPoint(2.0, 7.0);
  EXPECT_TRUE(series.IsNull(1));
  EXPECT_EQ(series.PointColor(1), kNoColor);
  EXPECT_EQ(series.PointColor(0), 0u);
  EXPECT_TRUE(series.XAscending());
  ASSERT_TRUE(series.YRange());
  EXPECT_EQ(series.YRange()->min, 5.0);
  EXPECT_EQ(series.YRange()->max, 7.0);
}

TEST(SeriesPoints, LabelsAreKeptOnlyWhereGiven) {
  ChartPanel panel;
  ChartSeries series(SeriesKind::Line, &panel);
  series.AddPoint(1.0, 1.0);
  series.AddPoint(2.0, 2.0, 0, "peak");
  EXPECT_EQ(series.Label(0), "");
  EXPECT_EQ(series.Label(1), "peak");
}

TEST(SeriesColours, RecolouringSparesNullPoints) {
  ChartPanel panel;
  ChartSeries series(SeriesKind::Line, &panel);
  series.AddPoint(1.0, 1.0);
  series.AddNullPoint(2.0);
  series.AddPoint(2.0, 2.0);
  series.RecolorPoints(0x0000FF);
  EXPECT_EQ(series.PointColor(0), 0x0000FFu);
  EXPECT_EQ(series.PointColor(1), kNoColor);
  EXPECT_EQ(series.PointColor(2), 0x0000FFu);
}

TEST(SeriesColours, OnePointCanCarryItsOwnColour) {
  ChartPanel panel;
  ChartSeries series(SeriesKind::Line, &panel);
  series.AddPoint(1.0, 1.0, 0x10);
  series.AddPoint(2.0, 2.0, 0x20);
  series.AddNullPoint(3.0);
  EXPECT_EQ(series.PointColor(0), 0x10u);
  EXPECT_EQ(series.PointColor(1), 0x20u);
  EXPECT_EQ(series.PointColor(2), kNoColor);
  series.SetPointColor(0, 0x30);
  EXPECT_EQ(series.PointColor(0), 0x30u);
  series.RecolorPoints(0x40);
  EXPECT_EQ(series.PointColor(0), 0x40u);
  EXPECT_EQ(series.PointColor(1), 0x40u);
  EXPECT_EQ(series.PointColor(2), kNoColor);
}

TEST(SeriesKindChange, KeepsPointsColoursAndGaps) {
  ChartPanel panel;
  ChartSeries series(SeriesKind::Line, &panel);
  series.AddPoint(1.0, 1.0);
  series.AddNullPoint(2.0);
  series.AddPoint(3.0, 3.0);
  series.RecolorPoints(0xABCDEF);
  series.SetTitle("Flow");
  series.PlaceOnPanel();
  series.SetKind(SeriesKind::Bar);
  series.SetKind(SeriesKind::Line);
  ASSERT_EQ(series.Count(), 3u);
  EXPECT_TRUE(series.IsNull(1));
  EXPECT_EQ(series.Y(2), 3.0);
  EXPECT_EQ(series.PointColor(0), 0xABCDEFu);
  EXPECT_EQ(series.Title(), "Flow");
  EXPECT_TRUE(series.IsPlaced());
  EXPECT_EQ(panel.SeriesCount(), 1u);
}

TEST(SeriesValues, ScalingLeavesGapsAsGaps) {
  ChartPanel panel;
  ChartSeries series(SeriesKind::Line, &panel);
  series.AddPoint(1.0, 1000.0);
  series.AddNullPoint(2.0);
  series.ScaleY(0.001);
  EXPECT_EQ(series.Y(0), 1.0);
  EXPECT_TRUE(series.IsNull(1));
  EXPECT_EQ(series.YRange()->max, 1.0);
}

// X comes back bit for bit, whether it is a time stamp the store codes in
// 32 bits or anything else it keeps aside.
TEST(SeriesStore, EveryXComesBackBitForBit) {
  const double may1 = 45413.0;  // 2024-05-01
  const std::vector<double> xs = {
      may1 + 43200000.0 / 86400000.0,  // 12:00:00, as time stamps are made
      may1 + 86399000.0 / 86400000.0,  // 23:59:59
      may1 + 1.0,                      // midnight of the next day
      may1 + 45296789.0 / 86400000.0,  // 12:34:56.789: kept aside
      may1 + 0.5 + 1.0 / 1440.0,       // a minute added to a stamp: kept aside if it must be
      may1 - 3.0 + 1.0 / 1440.0 * 7,   // before the first X
      may1 + 3650.0 + 0.25,            // ten years on
      may1 - 20000.0,                  // farther back than codes reach
      -0.0,
      0.1,
      1e300,
      -1e-300,
      std::numeric_limits<double>::infinity(),
  };
  ChartSeries series(SeriesKind::Line, nullptr);
  for (const double x : xs) series.AddPoint(x, 1.0);
  series.AddNullPoint(may1 + 0.75);
  ASSERT_EQ(series.Count(), xs.size() + 1);
  for (std::size_t i = 0; i < xs.size(); ++i) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(series.X(i)), std::bit_cast<std::uint64_t>(xs[i])) << i;
    EXPECT_EQ(series.Points().X(i), series.X(i)) << i;
  }
  EXPECT_EQ(series.X(xs.size()), may1 + 0.75);
  EXPECT_EQ(series.XRange()->min, -1e-300);
  EXPECT_EQ(series.XRange()->max, std::numeric_limits<double>::infinity());
}

// Times summed up from a learned interval are no whole seconds: once most
// Xs need it, the series keeps them all plain, still bit for bit, also for
// points added afterwards and for a series that shares them.
TEST(SeriesStore, XsSummedUpFromAnIntervalComeBackBitForBit) {
  std::vector<double> xs;
  double x = 45413.0;
  for (int i = 0; i < 500; ++i) xs.push_back(x += 1.0 / 1440.0);
  ChartSeries series(SeriesKind::Line, nullptr);
  ChartSeries twin(SeriesKind::Line, nullptr);
  for (const double each : xs) {
    series.AddPoint(each, 1.0);
    twin.AddPoint(each, 2.0);
  }
  series.AddNullPoint(45414.5);
  xs.push_back(45414.5);
  twin.ShareXsWith(series);  // different lengths: each keeps its own
  for (std::size_t i = 0; i < xs.size(); ++i) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(series.X(i)), std::bit_cast<std::uint64_t>(xs[i])) << i;
    EXPECT_EQ(series.Points().X(i), series.X(i)) << i;
  }
  for (std::size_t i = 0; i + 1 < xs.size(); ++i) EXPECT_EQ(twin.X(i), xs[i]) << i;
}

TEST(SeriesStore, EveryStampOfADayComesBackBitForBit) {
  // Every second of a day, as time stamps are made, and a few thousand
  // with milliseconds, on a day far from the first one and one before it.
  ChartSeries series(SeriesKind::Line, nullptr);
  std::vector<double> xs;
  for (const double day : {45413.0, 45413.0 + 9000.0, 45413.0 - 9000.0}) {
    for (int s = 0; s < 86400; ++s) xs.push_back(day + static_cast<double>(s * 1000LL) / 86400000.0);
    for (int ms = 0; ms < 86400000; ms += 21599) xs.push_back(day + static_cast<double>(ms) / 86400000.0);
  }
  for (const double x : xs) series.AddPoint(x, 0.0);
  const PointView points = series.Points();
  for (std::size_t i = 0; i < xs.size(); ++i) {
    ASSERT_EQ(std::bit_cast<std::uint64_t>(series.X(i)), std::bit_cast<std::uint64_t>(xs[i])) << i;
    // Searches compare without decoding: right at, just above and just below.
    for (const double bound : {xs[i], std::nextafter(xs[i], 1e9), std::nextafter(xs[i], -1e9)}) {
      ASSERT_EQ(points.XBelow(i, bound), xs[i] < bound) << i;
    }
  }
}

// Logged values have up to seven significant digits; stored as floats they
// still read back as the doubles they were parsed to, and print as written.
TEST(SeriesStore, LoggedValuesPrintAsTheyWereRead) {
  ChartSeries series(SeriesKind::Line, nullptr);
  std::vector<std::string> texts;
  std::vector<int> decimals;
  std::vector<double> parsed;
  for (int d = 0; d <= 9; ++d) {
    for (long m = 0; m <= 9999999; m += (m < 2000 ? 1 : 9973)) {
      for (const long mantissa : {m, -m, 9999999L - m}) {
        char text[64];
        const long whole = std::labs(mantissa);
        long scale = 1;
        for (int i = 0; i < d; ++i) scale *= 10;
        std::snprintf(text, sizeof text, "%s%ld.%0*ld", mantissa < 0 ? "-" : "", whole / scale, d, whole % scale);
        if (d == 0) std::snprintf(text, sizeof text, "%ld", mantissa);
        texts.emplace_back(text);
        decimals.push_back(d);
        parsed.push_back(std::strtod(text, nullptr));
        series.AddPoint(static_cast<double>(texts.size()), parsed.back());
      }
    }
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    char back[32];
    std::snprintf(back, sizeof back, "%.*f", decimals[i], series.Y(i));
    ASSERT_EQ(back, texts[i]) << i;
    ASSERT_EQ(std::bit_cast<std::uint64_t>(series.Y(i)), std::bit_cast<std::uint64_t>(parsed[i])) << texts[i];
  }
}

TEST(SeriesStore, SharedXsStayEachSeriesOwn) {
  ChartSeries a(SeriesKind::Line, nullptr), b(SeriesKind::Line, nullptr), c(SeriesKind::Line, nullptr);
  for (int i = 0; i < 5; ++i) {
    a.AddPoint(100.0 + i / 1440.0, i);
    b.AddPoint(100.0 + i / 1440.0, 2 * i);
    c.AddPoint(100.0 + i / 1440.0 + (i == 3 ? 0.5 : 0.0), i);
  }
  c.AddPoint(200.0 + 1e-7, 1.0);  // kept aside
  EXPECT_FALSE(a.ShareXsWith(c));
  ASSERT_TRUE(b.ShareXsWith(a));
  EXPECT_TRUE(b.ShareXsWith(a));
  b.AddPoint(101.0, 9.0);  // b leaves the shared copy
  a.AddNullPoint(102.0);
  ASSERT_EQ(a.Count(), 6u);
  ASSERT_EQ(b.Count(), 6u);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(a.X(i), 100.0 + static_cast<double>(i) / 1440.0);
    EXPECT_EQ(b.X(i), a.X(i));
  }
  EXPECT_EQ(a.X(5), 102.0);
  EXPECT_EQ(b.X(5), 101.0);
  EXPECT_EQ(b.Y(4), 8.0);
}

TEST(SeriesStore, AFollowerTakesTheLeadersXsAndKeepsItsOwn) {
  ChartSeries leader(SeriesKind::Line, nullptr), follower(SeriesKind::Line, nullptr);
  follower.FollowXsOf(&leader);
  const std::vector<double> xs = {100.5, 100.5 + 1e-9, 101.0, 99.0};  // one kept aside, one earlier
  for (const double x : xs) {
    leader.AddPoint(x, 1.0);
    follower.AddPoint(x, 2.0);
  }
  follower.AddPoint(102.0, 3.0);  // not the leader's last X
  follower.FollowXsOf(nullptr);
  ASSERT_EQ(follower.Count(), 5u);
  for (std::size_t i = 0; i < xs.size(); ++i)
    EXPECT_EQ(std::bit_cast<std::uint64_t>(follower.X(i)), std::bit_cast<std::uint64_t>(xs[i]));
  EXPECT_EQ(follower.X(4), 102.0);
  EXPECT_FALSE(follower.XAscending());
}

TEST(SeriesPlacement, CanBePlacedAndRemovedRepeatedly) {
  ChartPanel panel;
  ChartSeries series(SeriesKind::Line, &panel);
  series.AddPoint(1.0, 1.0);
  for (int i = 0; i < 3; ++i) {
    series.PlaceOnPanel();
    series.PlaceOnPanel();  // placing twice places once
    EXPECT_EQ(panel.SeriesCount(), 1u);
    series.RemoveFromPanel();
    EXPECT_EQ(panel.SeriesCount(), 0u);
  }
  series.PlaceOnPanel();
  EXPECT_EQ(panel.Series().front()->Count(), 1u);
}

TEST(SeriesPlacement, DestroyingASeriesTakesItOffItsPanel) {
  ChartPanel panel;
  auto series = std::make_unique<ChartSeries>(SeriesKind::Line, &panel);
  series->PlaceOnPanel();
  series.reset();
  EXPECT_EQ(panel.SeriesCount(), 0u);
}

TEST(SeriesPlacement, ASeriesOutlivingItsPanelIsDetached) {
  auto panel = std::make_unique<ChartPanel>();
  ChartSeries series(SeriesKind::Line, panel.get());
  series.PlaceOnPanel();
  panel.reset();
  EXPECT_EQ(series.Owner(), nullptr);
  EXPECT_FALSE(series.IsPlaced());
  series.PlaceOnPanel();  // harmless
}

}  // namespace
}  // namespace calorix::chart
