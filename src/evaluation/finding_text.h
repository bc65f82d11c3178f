#pragma once

#include <string>

#include "core/child_settings.h"
#include "findings/findings.h"

namespace calorix::logdata {
class TLogAnalysis;
}

namespace calorix::evaluation {

// One finding as the findings list shows it, in the language in force:
// the period ("dd.mm.yyyy hh:nn – hh:nn", the end with its date when it
// lies on another day), what was found, the channel as the selection panel
// names it, and the figure with its unit.
struct FindingCells {
  std::string period;
  std::string kind;
  std::string channel;
  std::string figure;
  friend bool operator==(const FindingCells&, const FindingCells&) = default;
};

FindingCells FindingCellsOf(const findings::Finding& finding, const logdata::TLogAnalysis& analysis,
                            const TChildSettings& settings);

}  // namespace calorix::evaluation
