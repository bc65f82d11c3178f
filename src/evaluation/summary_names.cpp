#include "evaluation/summary_names.h"

#include "evaluation/value_readout.h"
#include "logdata/log_analysis.h"
#include "logdata/series_style.h"

namespace calorix::evaluation {

SummaryNames SummaryNamesOf(const TChildSettings& settings, const logdata::TLogAnalysis& analysis) {
  SummaryNames names;
  for (int i = 0; i < logdata::kChannelCount; ++i) {
    names.labels[static_cast<std::size_t>(i)] = logdata::ChannelLabel(settings, logdata::ChannelAt(i));
    names.units[static_cast<std::size_t>(i)] = UnitText(analysis.GetUnit(i));
  }
  return names;
}

}  // namespace calorix::evaluation
