// Draws sample charts into PNG files and a PDF page, for looking at the
// rendering by eye: chartview_gallery OUTPUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <cstdio>

#include "chartview/chart_renderer.h"
#include "core/date_time.h"
#include "synthetic_data.h"

namespace {

using calorix::chartview::RenderPanel;
using calorix::chartview::RenderPanelForPrint;
using calorix::chartview::bench::MakeSyntheticCharts;
using calorix::chartview::bench::SyntheticOptions;

// Both charts stacked, 3:1, as the evaluation window shows them.
QImage DrawStacked(const calorix::chartview::bench::SyntheticCharts& charts, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  const int upperHeight = size.height() * 3 / 4;
  RenderPanel(painter, QRectF(0, 0, size.width(), upperHeight), charts.upper);
  RenderPanel(painter, QRectF(0, upperHeight, size.width(), size.height() - upperHeight), charts.lower);
  return image;
}

void Save(const QImage& image, const QString& path) {
  std::printf("%s %s\n", image.save(path) ? "wrote" : "FAILED", qPrintable(path));
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
  const double may5 = *calorix::TryEncodeDate(2010, 5, 5);

  SyntheticOptions day;
  day.firstDay = may5;
  auto dayCharts = MakeSyntheticCharts(day);
  dayCharts->upper.AddTitleLine("05. May 2010");
  dayCharts->upper.LeftAxis().SetTitle("°C");
  dayCharts->upper.RightAxis().SetTitle("l/h   kW");
  dayCharts->lower.LeftAxis().SetTitle("%");
  Save(DrawStacked(*dayCharts, {1200, 700}), out.filePath("day.png"));
  dayCharts->upper.SetLegendVisible(true);
  dayCharts->upper.InsertTitleLine(0, "Solar plant Example Street");
  dayCharts->lower.SetLegendVisible(true);
  Save(DrawStacked(*dayCharts, {1200, 700}), out.filePath("day_output.png"));

  SyntheticOptions month;
  month.firstDay = *calorix::TryEncodeDate(2010, 12, 1);
  month.days = 31;
  month.outputsAsBars = false;
  auto monthCharts = MakeSyntheticCharts(month);
  monthCharts->upper.AddTitleLine("December 2010");
  Save(DrawStacked(*monthCharts, {1600, 800}), out.filePath("month.png"));

  SyntheticOptions hour = day;
  auto hourCharts = MakeSyntheticCharts(hour);
  for (auto* panel : {&hourCharts->upper, &hourCharts->lower})
    panel->BottomAxis().SetMinMax(may5 + 9.6 / 24, may5 + 10.6 / 24);
  Save(DrawStacked(*hourCharts, {900, 500}), out.filePath("hour.png"));

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setOutputFileName(out.filePath("print.pdf"));
  dayCharts->upper.SetPrintResolution(-50);
  dayCharts->lower.SetPrintResolution(-50);
  QPainter painter(&printer);
  const QRect page = painter.viewport();
  const int h1 = page.height() * 9 / 10 * 3 / 4;
  const int h2 = page.height() * 9 / 10 / 4;
  const int left = page.width() / 20;
  const int top = page.height() / 20;
  RenderPanelForPrint(painter, QRectF(left, top, page.width() - 2 * left, h1), dayCharts->upper);
  RenderPanelForPrint(painter, QRectF(left, top + h1, page.width() - 2 * left, h2), dayCharts->lower);
  painter.end();
  std::printf("wrote %s\n", qPrintable(out.filePath("print.pdf")));
  return 0;
}
