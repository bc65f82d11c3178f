#pragma once

#include <string>

namespace calorix::logdata {
class TLogAnalysis;
}

namespace calorix::evaluation {

// What the totals export writes a row for.
enum class TotalsPer { Day, Month };

// The evaluation's totals as CSV, one row per calendar day (or month) from
// the first file's date to the last one's, days and months without a file
// included with empty values: the date ("yyyy-mm-dd", or "yyyy-mm"), the
// volume [l], the energy [kWh], the collector's (T1) highest temperature and
// the pump's (R1) running hours, and for months the number of days with a
// file. "." is the decimal point, "," the separator; lines end in "\n".
std::string TotalsCsv(const logdata::TLogAnalysis& analysis, TotalsPer per);

}  // namespace calorix::evaluation
