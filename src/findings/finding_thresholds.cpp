#include "findings/finding_thresholds.h"

#include <cmath>
#include <optional>
#include <string>

#include "logdata/log_format.h"
#include "settings/profile_file.h"

namespace calorix::findings {
namespace {

// Hand-edited files may use either decimal point.
std::optional<double> NumberOf(std::string text) {
  for (char& c : text) {
    if (c == '.') c = ',';
  }
  double value = 0.0;
  if (!logdata::ParseLogNumber(text, value) || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

const std::vector<ThresholdKey>& ThresholdKeys() {
  using T = FindingThresholds;
  static const std::vector<ThresholdKey> keys = {
      {"OverheatTemperature", &T::overheatTemperature},
      {"OverheatMinutes", &T::overheatMinutes},
      {"NoYieldMinutes", &T::noYieldMinutes},
      {"NoYieldDifference", &T::noYieldDifference},
      {"NoYieldPower", &T::noYieldPower},
      {"CyclingStarts", &T::cyclingStarts},
      {"CyclingMinutes", &T::cyclingMinutes},
      {"LowestTemperature", &T::lowestTemperature},
      {"HighestTemperature", &T::highestTemperature},
      {"GapMinutes", &T::gapMinutes},
      {"NightFrom", &T::nightFrom},
      {"NightTo", &T::nightTo},
      {"NightTankFall", &T::nightTankFall},
      {"NightCollectorRise", &T::nightCollectorRise},
  };
  return keys;
}

ThresholdsRead ReadFindingThresholds(ProfileAccess& profile) {
  ThresholdsRead read;
  for (const ThresholdKey& key : ThresholdKeys()) {
    const std::optional<std::string> text = profile.Read(kFindingsSection, key.key);
    if (!text || text->find_first_not_of(" \t") == std::string::npos) continue;
    if (const std::optional<double> value = NumberOf(*text)) {
      read.thresholds.*key.value = *value;
    } else {
      read.rejected.emplace_back(key.key);
    }
  }
  return read;
}

}  // namespace calorix::findings
