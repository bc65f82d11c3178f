#include "evaluation/finding_text.h"

#include <cmath>

#include "evaluation/value_readout.h"
#include "i18n/number_format.h"
#include "i18n/text_table.h"
#include "logdata/log_analysis.h"
#include "logdata/series_style.h"

namespace calorix::evaluation {
namespace {

using findings::Finding;
using findings::FindingKind;

// Figures worked out (differences, rates, minutes) to tenths; values as
// read stay as they are.
std::string Number(double value, bool worked) {
  std::string text = NumberText(worked ? std::round(value * 10.0) / 10.0 + 0.0 : value);
  for (char& c : text) {
    if (c == '.') c = i18n::DecimalPointOf(i18n::CurrentBlock());
  }
  return text;
}

std::string WithUnit(const std::string& number, const std::string& unit) {
  return unit.empty() ? number : number + " " + unit;
}

std::string FigureText(const Finding& f, const logdata::TLogAnalysis& analysis) {
  const std::string unit = f.channel ? UnitText(analysis.GetUnit(logdata::IndexOf(*f.channel))) : std::string();
  switch (f.kind) {
    case FindingKind::Overheat:
      return WithUnit(Number(f.figure, false), unit) +
             (f.figureAt ? " (" + FormatDateTime("hh:nn", *f.figureAt) + ")" : "");
    case FindingKind::OutOfRange:
    case FindingKind::Stuck:
    case FindingKind::Fault: return WithUnit(Number(f.figure, false), unit);
    case FindingKind::NoYield: return Number(f.figure, true) + " K";
    case FindingKind::NightLoss: return Number(f.figure, true) + " K/h";
    case FindingKind::Gap: return Number(f.figure, true) + " min";
    case FindingKind::Cycling:
    case FindingKind::Err: return Number(f.figure, false) + "\u00d7";
    case FindingKind::MissingDay: return Number(f.figure, false);
  }
  return Number(f.figure, false);
}

std::string PeriodText(const Finding& f) {
  const bool sameDay = std::floor(f.start) == std::floor(f.end);
  return FormatDateTime("dd.mm.yyyy hh:nn", f.start) + " \u2013 " +
         FormatDateTime(sameDay ? "hh:nn" : "dd.mm.yyyy hh:nn", f.end);
}

}  // namespace

FindingCells FindingCellsOf(const Finding& finding, const logdata::TLogAnalysis& analysis,
                            const TChildSettings& settings) {
  return {PeriodText(finding), i18n::Text(i18n::kTextFirstFindingKind + static_cast<int>(finding.kind)),
          finding.channel ? logdata::ChannelLabel(settings, *finding.channel) : std::string(),
          FigureText(finding, analysis)};
}

}  // namespace calorix::evaluation
