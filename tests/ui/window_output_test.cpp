#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>

#include "chartview/chart_view.h"
#include "chartview/svg_output.h"
#include "core/error.h"
#include "dialogs/recording_launcher.h"
#include "i18n/text_table.h"
#include "settings/ini_settings.h"
#include "ui/command_guard.h"
#include "ui/window_output.h"
#include "ui_test_support.h"

namespace calorix::ui {
namespace {

using testing::SampleFile;
using testing::TempFolder;

using testing::PdfTool;

// What a poppler tool printed; empty without poppler (the tests that read
// PDFs skip then).
QString Poppler(const QString& tool, const QStringList& arguments) {
  return PdfTool(tool, arguments).value_or(QString());
}

bool HasPoppler() { return PdfTool("pdfinfo", {"-v"}).has_value(); }

int ImagesIn(const QString& pdf) {
  // "pdfimages -list" prints two heading lines, then one line per image.
  return static_cast<int>(Poppler("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts).size()) - 2;
}

class OutputTest : public ::testing::Test, public testing::EnglishTexts, public testing::WindowTest {
 protected:
  OutputTest() {
    Window().LoadFile(SampleFile("2024/05/20240531.csv"));
    Window().show();
    Window().resize(1000, 700);
    QApplication::processEvents();
  }
  QString Path(const char* name) { return QString::fromStdString((folder.Path() / name).string()); }
  chartview::ChartView& View(const char* name) { return *Window().findChild<chartview::ChartView*>(name); }

  TempFolder folder;
};

TEST_F(OutputTest, PrintingToPdfGivesOneLandscapePageOfVectorCharts) {
  if (!HasPoppler()) GTEST_SKIP() << "poppler is not installed";
  Box("CB_T1").setChecked(true);
  Box("CB_R1").setChecked(true);
  const QString pdf = Path("print.pdf");
  Dialogs().PrintToPdf(pdf.toStdString());
  Window().PrintCharts();
  const QString info = Poppler("pdfinfo", {pdf});
  EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
  const QRegularExpressionMatch size = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(info);
  ASSERT_TRUE(size.hasMatch()) << info.toStdString();
  EXPECT_GT(size.captured(1).toDouble(), size.captured(2).toDouble());
  EXPECT_EQ(ImagesIn(pdf), 0);
  EXPECT_TRUE(Poppler("pdftotext", {pdf, "-"}).contains("Temperature sensor 1"));  // the legend
  // The window shows no legend afterwards.
  EXPECT_FALSE(Upper().LegendVisible());
}

TEST_F(OutputTest, NothingToPrintSaysSoBeforeAnyJob) {
  const QString pdf = Path("print.pdf");
  Dialogs().PrintToPdf(pdf.toStdString());
  EXPECT_THROW(
      {
        try {
          Window().PrintCharts();
        } catch (const Error& e) {
          EXPECT_STREQ(e.what(), "Printing not possible.");
          throw;
        }
      },
      Error);
  EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(OutputTest, SavingStacksBothChartsInOneImage) {
  Box("CB_T1").setChecked(true);
  Box("CB_R1").setChecked(true);
  for (const char* name : {"both.bmp", "both.png"}) {
    Dialogs().ChooseFile(Path(name).toStdString());
    Window().SaveChartAsBitmap();
    const QImage image(Path(name));
    ASSERT_FALSE(image.isNull()) << name;
    EXPECT_EQ(image.width(), View("Chart").width()) << name;
    EXPECT_EQ(image.height(), View("Chart").height() + View("Chart2").height()) << name;
  }
  const auto request = Dialogs().FileRequests().front();
  EXPECT_EQ(request.fileName, "Chart 2024-05-31.bmp");
  EXPECT_FALSE(request.openMode);
  EXPECT_EQ(request.filter.rfind("Image files (*.bmp)|*.bmp|PNG (*.png)|*.png|", 0), 0u);
  // A red curve above, the blue output band below.
  const QImage image(Path("both.png"));
  auto has = [&](QColor colour, int top, int bottom) {
    for (int y = top; y < bottom; ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, y) == colour) return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(has(QColor(255, 0, 0), 0, View("Chart").height()));
  EXPECT_TRUE(has(QColor(0, 0, 255), View("Chart").height(), image.height()));
}

TEST_F(OutputTest, ALowerChartAloneGrowsAndVectorFormatsFollowTheExtension) {
  Box("CB_R1").setChecked(true);
  Dialogs().ChooseFile(Path("lower.bmp").toStdString());
  Window().SaveChartAsBitmap();
  EXPECT_EQ(QImage(Path("lower.bmp")).height(), View("Chart2").height() + 60);
  Box("CB_T1").setChecked(true);
  Dialogs().ChooseFile(Path("chart.pdf").toStdString());
  Window().SaveChartAsBitmap();
  if (HasPoppler()) {
    EXPECT_EQ(ImagesIn(Path("chart.pdf")), 0);
    EXPECT_TRUE(Poppler("pdfinfo", {Path("chart.pdf")}).contains("Pages:"));
  }
  if (!chartview::CanWriteSvg()) return;  // a build without Qt SVG refuses it, as ExportTest checks
  Dialogs().ChooseFile(Path("chart.svg").toStdString());
  Window().SaveChartAsBitmap();
  QFile svg(Path("chart.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QByteArray text = svg.readAll();
  EXPECT_TRUE(text.contains("<path") || text.contains("<polyline"));
  EXPECT_FALSE(text.contains("<image"));
}

// Save and Export start where the user's files are, never in the working
// folder of the process: the remembered folder while it exists, else the
// shown day file's folder.
TEST_F(OutputTest, SaveAndExportDialogsStartInTheRememberedOrTheDayFilesFolder) {
  const std::string dayFolder = SampleFile("2024/05").string();
  const std::string remembered = folder.Path().string();
  const auto store = std::make_unique<TIniSettings>(folder.Path() / "Calorix.ini", folder.Path().string());
  Window().SetSettingsStore(store.get());
  const struct {
    std::string lastUsed;
    std::string expected;
  } cases[] = {{"", dayFolder}, {remembered, remembered}, {remembered + "/gone", dayFolder}};
  for (const auto& c : cases) {
    store->SetMainSettings(2, c.lastUsed);
    Dialogs().CancelFile();
    Dialogs().CancelFile();
    Window().SaveChartAsBitmap();
    Window().SaveTotals(evaluation::TotalsPer::Day);
    const auto& requests = Dialogs().FileRequests();
    ASSERT_GE(requests.size(), 2u);
    EXPECT_EQ(requests[requests.size() - 2].initialFolder, c.expected) << c.lastUsed;
    EXPECT_EQ(requests.back().initialFolder, c.expected) << c.lastUsed;
  }
  Window().SetSettingsStore(nullptr);
}

TEST_F(OutputTest, TotalsGoIntoTheCsvFileTheUserNames) {
  Dialogs().ChooseFile(Path("totals.csv").toStdString());
  Window().SaveTotals(evaluation::TotalsPer::Month);
  const auto request = Dialogs().FileRequests().front();
  EXPECT_EQ(request.fileName, "2024-05-31_months.csv");
  EXPECT_EQ(request.filter.rfind("CSV files (*.csv)|*.csv|", 0), 0u);
  QFile csv(Path("totals.csv"));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = csv.readAll().split('\n');
  ASSERT_GE(lines.size(), 2);
  EXPECT_TRUE(lines[0].startsWith("month,volume [l],energy [kWh],")) << lines[0].toStdString();
  EXPECT_TRUE(lines[1].startsWith("2024-05,")) << lines[1].toStdString();
  EXPECT_TRUE(lines[1].endsWith(",1")) << "one day with a file";
}

// Written as a French user reads it, whatever block the fixture chose.
class FrenchTexts {
 public:
  FrenchTexts() : before_(i18n::CurrentBlock()) { i18n::SetCurrentBlock(i18n::LanguageBlock::French); }
  ~FrenchTexts() { i18n::SetCurrentBlock(before_); }
  FrenchTexts(const FrenchTexts&) = delete;
  FrenchTexts& operator=(const FrenchTexts&) = delete;

 private:
  i18n::LanguageBlock before_;
};

// The part of a text before its first placeholder.
std::string Lead(int row) {
  const std::string& text = i18n::Text(row);
  return text.substr(0, text.find("%1"));
}

TEST_F(OutputTest, WriteFailuresSpeakTheLanguageInUse) {
  Box("CB_T1").setChecked(true);
  const FrenchTexts french;
  const std::string image = (folder.Path() / "missing" / "chart.png").string();
  Dialogs().ChooseFile(image);
  EXPECT_FALSE(RunCommand(Dialogs(), &Window(), [&] { Window().SaveChartAsBitmap(); }));
  const std::string csv = (folder.Path() / "missing" / "totals.csv").string();
  EXPECT_FALSE(RunCommand(Dialogs(), &Window(), [&] { WriteTextFile(csv, "x"); }));
  EXPECT_FALSE(RunCommand(Dialogs(), &Window(), [] { throw 1; }));
  ASSERT_EQ(Dialogs().Messages().size(), 3u);
  EXPECT_TRUE(Dialogs().Messages()[0].text.starts_with(Lead(i18n::kTextImageNotSaved) + image))
      << Dialogs().Messages()[0].text;
  EXPECT_TRUE(Dialogs().Messages()[1].text.starts_with(Lead(i18n::kTextFileNotWritten) + csv))
      << Dialogs().Messages()[1].text;
  EXPECT_EQ(Dialogs().Messages()[2].text, "Erreur interne");
}

TEST_F(OutputTest, TotalsGoIntoAWorkbookWhenTheNameEndsInXlsx) {
  Dialogs().ChooseFile(Path("totals.XLSX").toStdString());
  Window().SaveTotals(evaluation::TotalsPer::Day);
  EXPECT_NE(Dialogs().FileRequests().front().filter.find("|Excel workbooks (*.xlsx)|*.xlsx|"), std::string::npos);
  QFile workbook(Path("totals.XLSX"));
  ASSERT_TRUE(workbook.open(QIODevice::ReadOnly));
  EXPECT_TRUE(workbook.read(4) == QByteArray("PK\x03\x04", 4)) << "a zip container, not CSV text";
}

TEST_F(OutputTest, OpenInExcelOpensAWorkbookOfTheShownDayNeverTheLogFile) {
  RecordingLauncher launcher;
  launcher.Install("soffice", "/usr/bin/soffice");         // found on the PATH (Linux)
  launcher.Register("soffice.exe", "/usr/bin/soffice");    // under App Paths (Windows)
  launcher.WillStart("/usr/bin/soffice");
  Window().SetLauncher(&launcher);
  auto* button = Window().findChild<QPushButton*>("ButtonOpenExcel");
  ASSERT_TRUE(button->isEnabled());
  EXPECT_EQ(button->text().toStdString(), "Open in Excel");
  button->click();
  ASSERT_FALSE(launcher.Calls().empty());
  ASSERT_FALSE(launcher.Calls().back().arguments.empty());
  const std::filesystem::path opened = launcher.Calls().back().arguments.back();
  const std::filesystem::path temp = std::filesystem::temp_directory_path();
  EXPECT_EQ(opened.parent_path(), temp.has_filename() ? temp : temp.parent_path());
  EXPECT_TRUE(opened.filename().string().starts_with("20240531")) << opened;
  EXPECT_EQ(opened.extension(), ".xlsx");
  EXPECT_TRUE(std::filesystem::is_regular_file(opened));
  for (const auto& call : launcher.Calls()) {
    for (const std::string& argument : call.arguments) EXPECT_EQ(argument.find(".csv"), std::string::npos) << argument;
  }
  std::filesystem::remove(opened);
  Window().close();  // an empty window has no day to open
  EXPECT_FALSE(button->isEnabled());
  Window().SetLauncher(nullptr);
}

}  // namespace
}  // namespace calorix::ui
