#pragma once

#include <optional>
#include <string>

#include "chart/chart_panel.h"
#include "core/date_time.h"
#include "evaluation/time_navigation.h"

namespace calorix::evaluation {

// Where the two charts go on a printed page: one above the other, centred,
// at 90 % of the largest size that keeps their proportions on screen. A
// chart without series has height 0 and the other takes the room.
struct PrintPage {
  int width = 0;  // of the fitted area, before the 90 %
  int height = 0;
  int left = 0;
  int top = 0;
  int upperHeight = 0;
  int lowerHeight = 0;
  friend bool operator==(const PrintPage&, const PrintPage&) = default;
};

// pageWidth x pageHeight in printer units; chartWidth, upperHeight and
// lowerHeight in screen pixels, a height 0 for a chart without series.
// Nothing when there is nothing to print ("Printing not possible.").
std::optional<PrintPage> FitChartsOnPage(int pageWidth, int pageHeight, int chartWidth, int upperHeight,
                                         int lowerHeight);

// The file name proposed for saving the charts: "Chart yyyy-mm-dd.bmp" for
// a day or hours, "Chart mm. yyyy.bmp" for a month, "Chart.bmp" without a
// date.
std::string ProposedImageName(std::optional<DateTime> dayStart, bool monthSpan);
// The same for the span shown: the year span names its year ("Chart 2010.bmp").
std::string ProposedImageName(std::optional<DateTime> dayStart, Span span);

// Shows the legends and the headline on the charts for as long as an output
// (printing, an image) lasts, and takes them off again however it ends.
// With series on the upper chart the headline goes above its date line;
// without, the lower chart gets a title of its own: the headline and the
// upper chart's lines.
class OutputTitles {
 public:
  OutputTitles(chart::ChartPanel& upper, chart::ChartPanel& lower, std::string headline);
  ~OutputTitles();
  OutputTitles(const OutputTitles&) = delete;
  OutputTitles& operator=(const OutputTitles&) = delete;

 private:
  chart::ChartPanel& upper_;
  chart::ChartPanel& lower_;
  std::string headline_;
  bool headlineAbove_ = false;  // put above the upper chart's date line
};

}  // namespace calorix::evaluation
