#include "evaluation/chart_output.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "evaluation/date_text.h"

namespace calorix::evaluation {

std::optional<PrintPage> FitChartsOnPage(int pageWidth, int pageHeight, int chartWidth, int upperHeight,
                                         int lowerHeight) {
  const std::int64_t P = pageWidth;
  const std::int64_t Q = pageHeight;
  const std::int64_t W = chartWidth;
  const std::int64_t H = std::int64_t{upperHeight} + lowerHeight;
  if (W <= 0 || H <= 0 || P <= 0 || Q <= 0) return std::nullopt;
  const std::int64_t w = std::min(P, W * Q / H);
  const std::int64_t h = std::min(Q, H * w / W);
  PrintPage page;
  page.width = static_cast<int>(w);
  page.height = static_cast<int>(h);
  page.left = static_cast<int>((P - w * 9 / 10) / 2);
  page.top = static_cast<int>((Q - h * 9 / 10) / 2);
  page.upperHeight = static_cast<int>((h * upperHeight / H) * 9 / 10);
  page.lowerHeight = static_cast<int>((h * lowerHeight / H) * 9 / 10);
  return page;
}

std::string ProposedImageName(std::optional<DateTime> dayStart, bool monthSpan) {
  if (!dayStart) return "Chart.bmp";
  return "Chart " + FormatDate(monthSpan ? "mm. yyyy" : "yyyy-mm-dd", *dayStart) + ".bmp";
}

std::string ProposedImageName(std::optional<DateTime> dayStart, Span span) {
  if (dayStart && span == Span::Year) return "Chart " + FormatDate("yyyy", *dayStart) + ".bmp";
  return ProposedImageName(dayStart, span == Span::Month);
}

OutputTitles::OutputTitles(chart::ChartPanel& upper, chart::ChartPanel& lower, std::string headline)
    : upper_(upper), lower_(lower), headline_(std::move(headline)) {
  if (upper_.SeriesCount() > 0) {
    if (!headline_.empty()) {
      upper_.InsertTitleLine(0, headline_);
      headlineAbove_ = true;
    }
  } else {
    // The lower chart stands alone: it names the headline and the date.
    lower_.ClearTitle();
    for (const std::string& line : upper_.TitleLines()) lower_.AddTitleLine(line);
    lower_.InsertTitleLine(0, headline_);
    lower_.SetTitleVisible(true);
  }
  upper_.SetLegendVisible(true);
  lower_.SetLegendVisible(true);
}

OutputTitles::~OutputTitles() {
  upper_.SetLegendVisible(false);
  lower_.SetLegendVisible(false);
  const std::vector<std::string> lines = upper_.TitleLines();
  if (headlineAbove_ && !lines.empty() && lines.front() == headline_) {
    upper_.ClearTitle();
    for (std::size_t i = 1; i < lines.size(); ++i) upper_.AddTitleLine(lines[i]);
  }
  lower_.ClearTitle();
  lower_.SetTitleVisible(false);
}

}  // namespace calorix::evaluation
