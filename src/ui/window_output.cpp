#include "ui/window_output.h"

#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <optional>
#include <vector>

#include "chartview/chart_view.h"
#include "chartview/stacked_charts.h"
#include "chartview/svg_output.h"
#include "core/error.h"
#include "core/utf8_path.h"
#include "dialogs/dialogs.h"
#include "evaluation/chart_output.h"
#include "evaluation/evaluation_model.h"
#include "evaluation/totals_export.h"
#include "i18n/text_table.h"
#include "logdata/log_analysis.h"
#include "ui/child_widgets.h"
#include "workbook/workbooks.h"

namespace calorix::ui {
namespace {

using chartview::StackedChart;

// Printing draws at 1.5 times the target's size and scales down, which
// makes fonts and lines finer on paper.
constexpr int kPrintResolution = -50;
// A lower chart saved alone grows by this much when the upper one leaves
// room, so that its legend and title fit.
constexpr int kLowerAloneExtra = 60;
constexpr int kLowerAloneMinimumUpper = 160;

int HeightIfShown(const chartview::ChartView& view) { return view.Panel().SeriesCount() > 0 ? view.height() : 0; }

}  // namespace

void PrintCharts(Dialogs& dialogs, QWidget* owner, evaluation::EvaluationModel& model, const ChildWidgets& widgets) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  if (!dialogs.ExecutePrintDialog(printer, owner)) return;
  const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
  const std::optional<evaluation::PrintPage> fit =
      evaluation::FitChartsOnPage(page.width(), page.height(), widgets.upperView->width(),
                                  HeightIfShown(*widgets.upperView), HeightIfShown(*widgets.lowerView));
  const std::string notPossible = i18n::Text(i18n::kTextPrintingNotPossible);
  if (!fit) throw Error(notPossible);

  chart::ChartPanel& upper = model.Upper();
  chart::ChartPanel& lower = model.Lower();
  upper.SetPrintResolution(kPrintResolution);
  lower.SetPrintResolution(kPrintResolution);
  const evaluation::OutputTitles titles(upper, lower, model.Settings().ChartTitle);
  const double width = page.width() - 2.0 * fit->left;
  std::vector<StackedChart> charts;
  if (fit->upperHeight > 0) charts.push_back({&upper, QRectF(fit->left, fit->top, width, fit->upperHeight)});
  if (fit->lowerHeight > 0) {
    charts.push_back({&lower, QRectF(fit->left, fit->top + fit->upperHeight, width, fit->lowerHeight)});
  }
  QPainter painter;
  if (!painter.begin(&printer)) throw Error(notPossible);
  try {
    chartview::RenderOptions options;
    options.font = widgets.upperView->font();
    chartview::RenderStacked(painter, charts, options, true);
  } catch (...) {
    printer.abort();
    throw;
  }
  if (!painter.end()) throw Error(notPossible);
}

void SaveChartAsImage(Dialogs& dialogs, QWidget* owner, evaluation::EvaluationModel& model, const ChildWidgets& widgets,
                      const std::string& folder) {
  const std::string svg = chartview::CanWriteSvg() ? "SVG (*.svg)|*.svg|" : "";
  const std::string filter = i18n::Text(i18n::kTextImageFiles) + " (*.bmp)|*.bmp|PNG (*.png)|*.png|PDF (*.pdf)|*.pdf|" +
                             svg + i18n::Text(i18n::kTextAllFiles) + " (*.*)|*";
  const auto fileName = dialogs.ExecuteFileDialog(evaluation::ProposedImageName(model.ShownDay(), model.View().span),
                                                  owner, filter, false, "*.bmp", folder);
  if (!fileName) return;

  SaveChartsToFile(model, *fileName, widgets.upperView->width(), widgets.upperView->height(),
                   widgets.lowerView->height(), widgets.upperView->font());
}

void SaveChartsToFile(evaluation::EvaluationModel& model, const std::string& fileName, int width, int upperHeight,
                      int lowerHeight, const QFont& font) {
  chart::ChartPanel& upper = model.Upper();
  chart::ChartPanel& lower = model.Lower();
  std::vector<StackedChart> charts;
  if (lower.SeriesCount() == 0) {
    charts.push_back({&upper, QRectF(0, 0, width, upperHeight)});
  } else {
    if (upper.SeriesCount() > 0) {
      charts.push_back({&upper, QRectF(0, 0, width, upperHeight)});
    } else if (upperHeight >= kLowerAloneMinimumUpper) {
      lowerHeight += kLowerAloneExtra;
    }
    const double top = charts.empty() ? 0.0 : upperHeight;
    charts.push_back({&lower, QRectF(0, top, width, lowerHeight)});
  }
  const QRectF& last = charts.back().rect;
  const evaluation::OutputTitles titles(upper, lower, model.Settings().ChartTitle);
  chartview::SaveStackedCharts(QString::fromStdString(fileName), charts, QSize(width, static_cast<int>(last.bottom())),
                               font);
}

void SaveTotals(Dialogs& dialogs, QWidget* owner, const evaluation::EvaluationModel& model, evaluation::TotalsPer per,
                const std::string& folder) {
  const evaluation::EvaluationLoad& analysis = model.Snapshot().load;
  if (!analysis.HasData()) return;
  const std::string filter = i18n::Text(i18n::kTextCsvFiles) + " (*.csv)|*.csv|" +
                             i18n::Text(i18n::kTextWorkbookFiles) + " (*.xlsx)|*.xlsx|" +
                             i18n::Text(i18n::kTextAllFiles) + " (*.*)|*";
  // Named after the dates it covers, which reads the same in every language.
  std::string fileName = FormatDateTime("yyyy-mm-dd", analysis.FirstDate());
  if (std::floor(analysis.LastDate()) != std::floor(analysis.FirstDate())) {
    fileName += "_" + FormatDateTime("yyyy-mm-dd", analysis.LastDate());
  }
  fileName += per == evaluation::TotalsPer::Day ? "_days.csv" : "_months.csv";
  const auto chosen = dialogs.ExecuteFileDialog(fileName, owner, filter, false, "*.csv", folder);
  if (!chosen) return;
  std::string extension = std::filesystem::path(*chosen).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == ".xlsx") {
    workbook::WriteTotalsWorkbook(*chosen, *analysis.Data(), per);
  } else {
    WriteTextFile(*chosen, analysis.TotalsCsv(per));
  }
}

std::string OutputDialogFolder(const std::string& lastUsedDir, const evaluation::EvaluationModel& model) {
  std::error_code error;
  const std::filesystem::path remembered = PathFromUtf8(lastUsedDir);
  if (!lastUsedDir.empty() && std::filesystem::is_directory(remembered, error)) return lastUsedDir;
  const evaluation::EvaluationLoad& load = model.Snapshot().load;
  if (!load.HasData()) return {};
  const std::filesystem::path shown = model.CurrentDayFile().value_or(load.DayFile(0));
  return Utf8Of(shown.parent_path());
}

void WriteTextFile(const std::string& fileName, const std::string& text) {
  QSaveFile file(QString::fromStdString(fileName));
  const auto fail = [&] {
    const QString text = QString::fromStdString(i18n::Text(i18n::kTextFileNotWritten));
    throw Error(text.arg(QString::fromStdString(fileName), file.errorString()).toStdString());
  };
  if (!file.open(QIODevice::WriteOnly)) fail();
  if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
    file.cancelWriting();
    fail();
  }
  if (!file.commit()) fail();
}

}  // namespace calorix::ui
