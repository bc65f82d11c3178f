#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace calorix {
class ProfileAccess;
}

namespace calorix::findings {

// When a pattern counts as a finding. Temperatures in the log's unit
// (°C), differences in K, power in kW as shown, times in minutes, the
// night in hours of the clock.
struct FindingThresholds {
  double overheatTemperature = 120.0;  // T1 at or above ...
  double overheatMinutes = 10.0;       // ... for at least this long
  double noYieldMinutes = 30.0;        // R1 on at least this long while
  double noYieldDifference = 2.0;      // T1 - T2 stays at or below this and
  double noYieldPower = 0.1;           // the power (where logged) at or below this
  double cyclingStarts = 10.0;         // an output started at least this often
  double cyclingMinutes = 60.0;        // within this many minutes
  double lowestTemperature = -40.0;    // a temperature below ...
  double highestTemperature = 250.0;   // ... or above these is out of range
  double gapMinutes = 10.0;            // no record for longer than this
  double nightFrom = 22.0;             // the night: from this hour
  double nightTo = 5.0;                // to this one (of the next day when not later)
  double nightTankFall = 3.0;          // T2 falling faster than this [K/h] while
  double nightCollectorRise = 5.0;     // T1 warms by more than this within an hour

  friend bool operator==(const FindingThresholds&, const FindingThresholds&) = default;
};

// The section of the settings file the thresholds live in.
inline constexpr std::string_view kFindingsSection = "Findings";

// One threshold as a key of that section.
struct ThresholdKey {
  std::string_view key;
  double FindingThresholds::*value;
};
// Every threshold, in the order of the struct.
const std::vector<ThresholdKey>& ThresholdKeys();

// The thresholds the settings file sets; a missing key keeps its default,
// and so does a value that is no number (with "." or "," as decimal
// point); the keys of those go to rejected.
struct ThresholdsRead {
  FindingThresholds thresholds;
  std::vector<std::string> rejected;
};
ThresholdsRead ReadFindingThresholds(ProfileAccess& profile);

}  // namespace calorix::findings
