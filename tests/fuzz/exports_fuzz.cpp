// The CSV exports of an evaluation that holds a fuzzed day file: every line
// of the totals and the values parses back with the heading's field count,
// numbers read as finite numbers, the values have one row per printed time,
// and the totals are the program's own: the day rows and the month rows
// count the same days and add up to what DailyTotals and MonthlyTotals say.

#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/date_time.h"
#include "core/error.h"
#include "evaluation/channel_export.h"
#include "evaluation/day_totals.h"
#include "evaluation/evaluation_model.h"
#include "evaluation/totals_export.h"
#include "fuzz_support.h"
#include "logdata/multi_day.h"

namespace {

using namespace calorix;
using namespace calorix::evaluation;

// The CSV's rows split into fields, each row with the heading's count.
std::vector<std::vector<std::string>> Rows(const std::string& csv, std::size_t fieldCount) {
  std::vector<std::vector<std::string>> rows;
  FUZZ_CHECK(csv.ends_with('\n'));
  std::size_t at = 0;
  while (at < csv.size()) {
    // A quoted field holds no line end: every line is one row.
    const std::size_t end = csv.find('\n', at);
    const auto fields = fuzz::CsvFields(std::string_view(csv).substr(at, end - at));
    FUZZ_CHECK(fields && fields->size() == fieldCount);
    rows.push_back(*fields);
    at = end + 1;
  }
  return rows;
}

std::optional<double> Number(const std::string& field) {
  if (field.empty()) return std::nullopt;
  double value = 0.0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  FUZZ_CHECK(error == std::errc() && end == field.data() + field.size() && std::isfinite(value));
  return value;
}

// A total written with some decimals reads back within their rounding.
void ExpectTotal(const std::string& field, double total) {
  const auto value = Number(field);
  FUZZ_CHECK(value.has_value());
  FUZZ_CHECK(std::abs(*value - total) <= 0.05 + std::abs(total) * 1e-15);
}

void CheckTotals(const logdata::TLogAnalysis& analysis) {
  const std::vector<DayTotals> days = DailyTotals(analysis);
  const std::vector<MonthTotals> months = MonthlyTotals(days);
  std::map<std::string, std::vector<DayTotals>> byDate;
  for (const DayTotals& day : days) byDate[FormatDateTime("yyyy-mm-dd", std::floor(day.day))].push_back(day);
  std::map<std::string, int> datesByMonth;
  for (const auto& [date, same] : byDate) ++datesByMonth[date.substr(0, 7)];

  int rowsWithValues = 0;
  for (const auto& row : Rows(TotalsCsv(analysis, TotalsPer::Day), 5)) {
    if (row[0] == "date" || row[1].empty()) continue;
    ++rowsWithValues;
    const auto found = byDate.find(row[0]);
    FUZZ_CHECK(found != byDate.end());
    const MonthTotals sum = MonthlyTotals(found->second).front();
    ExpectTotal(row[1], sum.volume);
    ExpectTotal(row[2], sum.energy);
    Number(row[3]);
    Number(row[4]);
  }
  FUZZ_CHECK(rowsWithValues == static_cast<int>(byDate.size()));

  std::size_t next = 0;
  for (const auto& row : Rows(TotalsCsv(analysis, TotalsPer::Month), 6)) {
    if (row[0] == "month" || row[5] == "0") continue;
    FUZZ_CHECK(next < months.size());
    const MonthTotals& month = months[next++];
    char name[16];
    std::snprintf(name, sizeof name, "%04d-%02d", month.year, month.month);
    FUZZ_CHECK(row[0] == name);
    FUZZ_CHECK(row[5] == std::to_string(month.daysWithFile));
    FUZZ_CHECK(datesByMonth[name] > 0);
    ExpectTotal(row[1], month.volume);
    ExpectTotal(row[2], month.energy);
  }
  FUZZ_CHECK(next == months.size());
}

void CheckValues(EvaluationModel& model) {
  for (int i = 0; i < logdata::kChannelCount; ++i) {
    if (!model.View().enabled[static_cast<std::size_t>(i)]) continue;
    try {
      model.SetChannelChecked(logdata::ChannelAt(i), true);
    } catch (const Error&) {
      // no values in the shown span
    }
  }
  const std::string csv = ChannelsCsv(model);
  const std::size_t fieldCount = fuzz::CsvFields(csv.substr(0, csv.find('\n')))->size();
  std::string previous;
  for (const auto& row : Rows(csv, fieldCount)) {
    if (row[0] == "time") continue;
    FUZZ_CHECK(previous < row[0]);  // one row per printed time, in order
    previous = row[0];
    for (std::size_t c = 1; c < row.size(); ++c) Number(row[c]);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::TwoDays days = fuzz::WriteTwoDays(data, size);
  const std::filesystem::path& first = days.first;
  const std::filesystem::path& path = days.fuzzed;

  {
    EvaluationModel single;
    try {
      single.LoadFile(path);
    } catch (const Error&) {
      // a message for the user
    }
    if (single.Snapshot().load.Data() && single.Snapshot().load.Data()->HasData()) {
      CheckTotals(*single.Snapshot().load.Data());
      CheckValues(single);
    }
  }
  EvaluationModel range;
  const DateTime start = *TryEncodeDate(2024, 1, 1);
  logdata::RunMultiDayLoad({first, path}, start, *TryEncodeDate(2024, 3, 31), range, {});
  if (range.Snapshot().load.Data() && range.Snapshot().load.Data()->HasData()) {
    CheckTotals(*range.Snapshot().load.Data());
    CheckValues(range);
  }
  return 0;
}
