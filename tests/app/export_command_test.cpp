#include "app/export_command.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "chartview/svg_output.h"
#include "core/error.h"
#include "support/day_file_text.h"
#include "support/temp_folder.h"
#include "support/test_platform.h"

namespace calorix::app {
namespace {

using calorix::testing::TempFolder;

std::string Sample(const char* relative) { return std::string(CALORIX_SAMPLES_DIR) + "/" + relative; }

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  std::string field;
  while (std::getline(stream, field, separator)) fields.push_back(field);
  if (!line.empty() && line.back() == separator) fields.emplace_back();
  return fields;
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The texts of a drawing are read from its SVG, which a build without Qt
// SVG (Windows) cannot write.
#define SKIP_WITHOUT_SVG() \
  if (!chartview::CanWriteSvg()) GTEST_SKIP() << "this build writes no SVG"

// Each test reads its own, empty settings folder: built-in colours, and
// nothing of the user's.
class ExportTest : public ::testing::Test {
 protected:
  std::filesystem::path Export(const std::vector<std::string>& args) {
    const CommandLine line = ParseCommandLine(args);
    RunExport(line, [this](const std::string& warning) { warnings.push_back(warning); });
    return line.output;
  }

  TempFolder settings;
  calorix::testing::ScopedEnvironment settingsBase{calorix::testing::kSettingsBaseVariable, settings.Path().string()};
  TempFolder out;
  std::vector<std::string> warnings;
};

TEST_F(ExportTest, PngShowsTheCurvesInTheirColours) {
  const auto png =
      Export({"--export", (out.Path() / "day.png").string(), "--channels", "T1,R1", Sample("2024/05/20240531.csv")});
  const QImage image(QString::fromStdString(png.string()));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), kExportWidth);
  EXPECT_EQ(image.height(), kExportUpperHeight + kExportLowerHeight);
  int red = 0;
  int blue = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      red += p == qRgb(255, 0, 0);
      blue += y > kExportUpperHeight && p == qRgb(0, 0, 255);  // output 1's bars on the lower chart
    }
  }
  EXPECT_GT(red, 1000);
  EXPECT_GT(blue, 500);
}

TEST_F(ExportTest, PdfAndSvgAreVectorDrawings) {
  const std::string day = Sample("2024/05/20240531.csv");
  const std::string pdf = ReadAll(Export({"--export", (out.Path() / "day.pdf").string(), "--channels", "T1", day}));
  EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
  EXPECT_NE(pdf.find("stream"), std::string::npos);
  EXPECT_EQ(pdf.find("/Subtype /Image"), std::string::npos);  // no bitmap inside
  SKIP_WITHOUT_SVG();
  const std::string svg = ReadAll(Export({"--export", (out.Path() / "day.svg").string(), "--channels", "T1", day}));
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find("<polyline"), std::string::npos);
  EXPECT_EQ(svg.find("<image"), std::string::npos);
}

// A read that ended early at a number no point can hold (1e39) says so,
// as the window does, and writes what was read.
TEST_F(ExportTest, AReadThatEndedEarlySaysSo) {
  const auto day = out.Write(
      "20240530.csv",
      calorix::testing::DayFileText("2024-05-30", {"00:00;20;;;;;;;1;1;0;0;0;0", "00:01;1e39;;;;;;;1;1;0;0;0;0"}));
  const auto csv = Export({"--export", (out.Path() / "day.csv").string(), "--channels", "T1", day.string()});
  EXPECT_EQ(ReadAll(csv), "time,T1 [\u00B0C]\n2024-05-30 00:00:00,20\n");
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("20240530.csv"), std::string::npos) << warnings[0];
}

// Every record of the day, with the values of the file ("," decimals
// there, "." here).
TEST_F(ExportTest, CsvHoldsTheParsedValuesOfEveryRecord) {
  const std::string day = Sample("2024/05/20240531.csv");
  const auto csv = Export({"--export", (out.Path() / "day.csv").string(), "--channels", "T1,Flow,R1", day});
  std::ifstream in(csv);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "time,T1 [\u00B0C],Flow [l/min],R1 [%]");
  std::map<std::string, std::vector<std::string>> exported;
  while (std::getline(in, line)) {
    const auto fields = Split(line, ',');
    ASSERT_EQ(fields.size(), 4u) << line;
    exported[fields[0].substr(0, 16)] = {fields[1], fields[2], fields[3]};
  }
  std::ifstream log(day);
  std::getline(log, line);  // header
  int records = 0;
  while (std::getline(log, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto fields = Split(line, ';');
    const auto found = exported.find(fields[0]);
    ASSERT_NE(found, exported.end()) << fields[0];
    for (const auto& [column, field] : {std::pair{0, 1}, {1, 8}, {2, 10}}) {
      std::string text = fields[static_cast<std::size_t>(field)];
      for (char& c : text) c = c == ',' ? '.' : c;
      EXPECT_EQ(std::stod(found->second[static_cast<std::size_t>(column)]), std::stod(text)) << line;
    }
    ++records;
  }
  EXPECT_EQ(static_cast<std::size_t>(records), exported.size());
  EXPECT_GT(records, 1000);
}

// The title's date is written in the stored language, as its legends are,
// whatever the system's locale.
TEST_F(ExportTest, TheTitleDateSpeaksTheStoredLanguage) {
  SKIP_WITHOUT_SVG();
  std::filesystem::create_directories(settings.Path() / "Helvo");
  std::ofstream(settings.Path() / "Helvo" / "Calorix.ini") << "[Main]\r\nLanguage=1\r\n";
  const std::string svg = ReadAll(
      Export({"--export", (out.Path() / "day.svg").string(), "--channels", "T1", Sample("2024/05/20240531.csv")}));
  EXPECT_NE(svg.find("Temperatur Sensor 1"), std::string::npos) << "German legends";
  EXPECT_NE(svg.find("31. Mai 2024"), std::string::npos);
  EXPECT_EQ(svg.find("May"), std::string::npos);
}

// With no language stored the export speaks the system's language, as the
// window does at a first start.
TEST_F(ExportTest, WithNoLanguageStoredTheSystemsLanguageIsSpoken) {
  SKIP_WITHOUT_SVG();
  const CommandLine line = ParseCommandLine(
      {"--export", (out.Path() / "day.svg").string(), "--channels", "T1", Sample("2024/05/20240531.csv")});
  RunExport(line, [](const std::string&) {}, {"fr-FR"});
  const std::string svg = ReadAll(line.output);
  EXPECT_NE(svg.find("Sonde de temp"), std::string::npos) << "French legends";
  EXPECT_NE(svg.find("mai 2024"), std::string::npos);
  EXPECT_EQ(svg.find("Temperatur Sensor 1"), std::string::npos);
}

TEST_F(ExportTest, ARangeExportsItsFirstMonthWithTheDailyTotals) {
  const auto csv = Export({"--export", (out.Path() / "month.csv").string(), "--channels", "Energy", "--range",
                           Sample("2024/05/20240530.csv"), Sample("2024/06/20240602.csv")});
  std::ifstream in(csv);
  std::string line;
  std::vector<std::string> lines;
  while (std::getline(in, line)) lines.push_back(line);
  ASSERT_EQ(lines.size(), 1u + 31u);  // one total per calendar day of May
  EXPECT_EQ(lines[0], "time,Energy [kWh]");
  EXPECT_EQ(lines[1].rfind("2024-05-01 12:00:00,0", 0), 0u);
  EXPECT_EQ(lines[30].rfind("2024-05-30 12:00:00,", 0), 0u);
  EXPECT_GT(std::stod(lines[30].substr(20)), 0.0);
}

// Without --channels a drawing shows a readable set on one or two value
// axes, not every channel: a day the collector, the tank, the thermal
// output and the pump; a month the energy per day and the pump.
TEST_F(ExportTest, ADrawingWithoutChannelsShowsAReadableSet) {
  SKIP_WITHOUT_SVG();
  struct Case {
    std::vector<std::string> files;
    std::vector<const char*> shown;
    std::vector<const char*> left;
  };
  const std::vector<Case> cases = {
      {{Sample("2024/05/20240531.csv")},
       {"Temperatur Sensor 1", "Temperatur Sensor 2", "Thermische Leistung", "Ausgang 1"},
       {"Temperatur Sensor 3", "Durchfluss", "Summe Energie", "Ausgang 2"}},
      {{"--range", Sample("2024/05/20240530.csv"), Sample("2024/06/20240602.csv")},
       {"Summe Energie", "Ausgang 1"},
       {"Temperatur Sensor", "Thermische Leistung", "Summe Durchfluss", "Ausgang 2"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"--export", (out.Path() / "chart.svg").string()};
    args.insert(args.end(), c.files.begin(), c.files.end());
    const std::string svg = ReadAll(Export(args));
    for (const char* name : c.shown) EXPECT_NE(svg.find(name), std::string::npos) << name;
    for (const char* name : c.left) EXPECT_EQ(svg.find(name), std::string::npos) << name;
  }
}

// A day whose values lie only outside that set still gives its chart.
TEST_F(ExportTest, ADrawingWithoutChannelsFallsBackToTheChannelsWithValues) {
  SKIP_WITHOUT_SVG();
  const auto day = out.Write("20240501.csv", calorix::testing::DayFileText(
                                                 "2024-05-01", {"00:00;;;31,5;;;;;;;;;;", "00:01;;;32,0;;;;;;;;;;"}));
  const std::string svg = ReadAll(Export({"--export", (out.Path() / "day.svg").string(), day.string()}));
  EXPECT_NE(svg.find("Temperatur Sensor 3"), std::string::npos);
}

TEST_F(ExportTest, FailuresSayWhatWentWrongAndWriteNothing) {
  const std::string target = (out.Path() / "x.png").string();
  EXPECT_THROW(Export({"--export", target, (out.Path() / "missing.csv").string()}), Error);
  const auto empty =
      out.Write("20240501.csv", calorix::testing::DayFileText("2024-05-01", {"00:00;;20,0;;;;;;0;0;0;0;0;0"}));
  try {
    Export({"--export", target, "--channels", "T1", empty.string()});
    ADD_FAILURE() << "a channel without values was exported";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("T1: ", 0), 0u) << e.what();
  }
  EXPECT_FALSE(std::filesystem::exists(target));
  EXPECT_THROW(Export({"--export", (out.Path() / "no-such-folder" / "x.png").string(), Sample("2024/05/20240531.csv")}),
               Error);
}

}  // namespace
}  // namespace calorix::app
