#include "app/findings_command.h"

#include "app/language_choices.h"

#include <cmath>
#include <memory>

#include "chart/chart_panel.h"
#include "evaluation/channel_export.h"
#include "evaluation/value_readout.h"
#include "findings/finding_thresholds.h"
#include "i18n/text_table.h"
#include "logdata/log_analysis.h"
#include "logdata/multi_day.h"
#include "settings/ini_settings.h"

namespace calorix::app {
namespace {

using findings::Finding;
using findings::FindingKind;

std::string Stamp(DateTime time) { return FormatDateTime("yyyy-mm-dd hh:nn", time); }

// Figures worked out (differences, rates) to hundredths; values as read stay as they are.
std::string Rounded(double value) { return evaluation::NumberText(std::round(value * 100.0) / 100.0 + 0.0); }

std::string UnitOf(const logdata::TLogAnalysis& analysis, const Finding& finding) {
  if (!finding.channel) return {};
  std::string unit = analysis.GetUnit(logdata::IndexOf(*finding.channel));
  if (unit.size() >= 2 && unit.front() == '[' && unit.back() == ']') unit = unit.substr(1, unit.size() - 2);
  return unit.empty() ? unit : " " + unit;
}

std::string FigureText(const logdata::TLogAnalysis& analysis, const Finding& f) {
  const std::string value = evaluation::NumberText(f.figure);
  switch (f.kind) {
    case FindingKind::Overheat:
      return value + UnitOf(analysis, f) + (f.figureAt ? " at " + FormatDateTime("hh:nn", *f.figureAt) : "");
    case FindingKind::OutOfRange:
    case FindingKind::Stuck:
    case FindingKind::Fault: return value + UnitOf(analysis, f);
    case FindingKind::NoYield: return Rounded(f.figure) + " K";
    case FindingKind::NightLoss: return Rounded(f.figure) + " K/h";
    case FindingKind::Cycling: return value + " starts";
    case FindingKind::Err: return value + (f.figure == 1.0 ? " reading" : " readings");
    case FindingKind::Gap: return Rounded(f.figure) + " min";
    case FindingKind::MissingDay: return value + (f.figure == 1.0 ? " day" : " days");
  }
  return value;
}

std::string Joined(const std::vector<std::vector<std::string>>& rows, char separator,
                   std::string (*cell)(const std::string&)) {
  std::string text;
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) text += separator;
      text += cell(row[i]);
    }
    text += '\n';
  }
  return text;
}

std::string AsIs(const std::string& cell) { return cell; }

std::string CsvCell(const std::string& cell) {
  if (cell.find_first_of(",\"\n") == std::string::npos) return cell;
  std::string quoted = "\"";
  for (const char c : cell) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

struct Stored {
  int language = 0;
  findings::FindingThresholds thresholds;
};

// Thresholds and language as the settings file has them; a file that
// cannot be read leaves the defaults.
Stored ReadStored(const std::function<void(const std::string&)>& warn) {
  Stored stored;
  try {
    const TIniSettings store;
    stored.language = store.GetMainSettings().Language;
    if (const auto profile = OpenProfileFile(store.IniPath())) {
      const findings::ThresholdsRead read = findings::ReadFindingThresholds(*profile);
      stored.thresholds = read.thresholds;
      for (const std::string& key : read.rejected) {
        warn("[" + std::string(findings::kFindingsSection) + "] " + key + " is no number; its default is used");
      }
    }
  } catch (const std::exception&) {
  }
  return stored;
}

std::unique_ptr<logdata::TLogAnalysis> Load(const CommandLine& line, chart::ChartPanel& upper, chart::ChartPanel& lower,
                                            const std::function<void(const std::string&)>& warn) {
  std::unique_ptr<logdata::TLogAnalysis> analysis;
  if (!line.range) {
    analysis = logdata::TLogAnalysis::CreateSingle(line.files[0], &upper, &lower);
  } else {
    const logdata::MultiDayRequest request = logdata::ResolveMultiDayRequest(line.files[0], line.files[1]);
    if (request.kind == logdata::MultiDayRequest::Kind::SingleDay) {
      analysis = logdata::TLogAnalysis::CreateSingle(request.files.front(), &upper, &lower);
    } else {
      logdata::EvaluationBuilder builder(&upper, &lower, warn);
      logdata::MultiDayLoadCallbacks callbacks;
      callbacks.fileFailed = warn;
      logdata::RunMultiDayLoad(request.files, request.start, request.end, builder, callbacks);
      analysis = builder.TakeEvaluation();
    }
  }
  if (analysis) {
    for (const std::string& warning : analysis->TakeWarnings()) warn(warning);
  }
  if (!analysis || !analysis->HasData()) throw Error(i18n::Text(i18n::kTextNoFileLoaded));
  return analysis;
}

}  // namespace

std::vector<std::vector<std::string>> FindingRows(const std::vector<Finding>& found,
                                                  const logdata::TLogAnalysis& analysis) {
  std::vector<std::vector<std::string>> rows = {{"kind", "channel", "start", "end", "figure"}};
  for (const Finding& f : found) {
    rows.push_back({std::string(findings::KindWord(f.kind)),
                    f.channel ? std::string(evaluation::ChannelName(*f.channel)) : std::string(), Stamp(f.start),
                    Stamp(f.end), FigureText(analysis, f)});
  }
  return rows;
}

std::string FindingsTable(const std::vector<std::vector<std::string>>& rows) { return Joined(rows, '\t', AsIs); }

std::string FindingsCsv(const std::vector<std::vector<std::string>>& rows) { return Joined(rows, ',', CsvCell); }

void RunFindings(const CommandLine& line, const std::function<void(const std::string&)>& write,
                 const std::function<void(const std::string&)>& warn, const std::vector<std::string>& systemLanguages) {
  const Stored stored = ReadStored(warn);
  const int language = StartLanguageChoice(stored.language, systemLanguages);
  i18n::SetCurrentBlock(i18n::BlockOfLanguage(kLanguageChoices[static_cast<std::size_t>(language)].code));
  chart::ChartPanel upper;
  chart::ChartPanel lower;
  const std::unique_ptr<logdata::TLogAnalysis> analysis = Load(line, upper, lower, warn);
  const auto rows = FindingRows(findings::FindFindings(*analysis, stored.thresholds), *analysis);
  write(line.output.empty() ? FindingsTable(rows) : FindingsCsv(rows));
}

}  // namespace calorix::app
