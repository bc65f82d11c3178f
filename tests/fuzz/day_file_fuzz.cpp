// A day file read on the worker path (prepared ahead, then added) must give
// what reading it in order gives: the same failure, or the same day with the
// same points and the same warning. The single-day path must give a message
// or a day, nothing else.

#include <cmath>
#include <memory>

#include "chart/chart_panel.h"
#include "core/error.h"
#include "fuzz_support.h"
#include "logdata/day_log.h"
#include "logdata/day_preparation.h"
#include "logdata/log_analysis.h"
#include "logdata/month.h"

namespace {

using namespace calorix;
using namespace calorix::logdata;

struct Evaluation {
  chart::ChartPanel upper, lower;
  std::unique_ptr<TLogAnalysis> analysis;
  std::string failure;

  explicit Evaluation(const std::filesystem::path& first) {
    const DateTime start = *TryEncodeDate(2024, 1, 1);
    analysis = TLogAnalysis::CreateMulti(start, start + 365, 3, first, &upper, &lower, {});
  }
};

std::string Failure(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& e) {
    return std::string("failed: ") + e.what();
  }
  return {};
}

void ExpectSameDays(const TLogAnalysis& a, const TLogAnalysis& b) {
  FUZZ_CHECK(a.GetDayCount() == b.GetDayCount());
  for (int c = 0; c < kChannelCount; ++c) FUZZ_CHECK(a.GetUnit(c) == b.GetUnit(c));
  for (const TMonth* ma = a.FindMonth(1, 2024); ma; ma = ma->GetNext()) {
    const TMonth* mb = b.FindMonth(ma->Month(), ma->Year());
    FUZZ_CHECK(mb != nullptr);
    const TDay* da = ma->FirstDay();
    const TDay* db = mb->FirstDay();
    for (; da && db; da = da->GetNext(), db = db->GetNext()) {
      FUZZ_CHECK(da->DayDate() == db->DayDate());
      FUZZ_CHECK(da->StoppedAtLine() == db->StoppedAtLine());
      for (int e = 0; e < TDay::kEntryCount; ++e) {
        const chart::ChartSeries& sa = *da->Entry(e).series;
        const chart::ChartSeries& sb = *db->Entry(e).series;
        FUZZ_CHECK(sa.Count() == sb.Count());
        for (std::size_t i = 0; i < sa.Count(); ++i) {
          FUZZ_CHECK(sa.X(i) == sb.X(i));
          FUZZ_CHECK(sa.IsNull(i) == sb.IsNull(i));
          FUZZ_CHECK(sa.IsNull(i) || sa.Y(i) == sb.Y(i) || (std::isnan(sa.Y(i)) && std::isnan(sb.Y(i))));
        }
      }
    }
    FUZZ_CHECK(da == nullptr && db == nullptr);
  }
}

// A number beyond the range of a double is no value: no point is infinite.
void ExpectFiniteValues(const TLogAnalysis& analysis) {
  for (const TMonth* m = analysis.FindMonth(1, 2024); m; m = m->GetNext()) {
    for (const TDay* d = m->FirstDay(); d; d = d->GetNext()) {
      for (int e = 0; e < TDay::kEntryCount; ++e) {
        const chart::ChartSeries& series = *d->Entry(e).series;
        for (std::size_t i = 0; i < series.Count(); ++i) FUZZ_CHECK(series.IsNull(i) || std::isfinite(series.Y(i)));
      }
      FUZZ_CHECK(std::isfinite(d->GetVolume()) && std::isfinite(d->GetEnergy()));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::TwoDays days = fuzz::WriteTwoDays(data, size);
  const std::filesystem::path& first = days.first;
  const std::filesystem::path& path = days.fuzzed;

  {
    chart::ChartPanel upper, lower;
    try {
      const auto single = TLogAnalysis::CreateSingle(path, &upper, &lower);
      FUZZ_CHECK(single->GetDayCount() == 1);
      FUZZ_CHECK(single->TakeWarnings().size() <= 1);
    } catch (const Error&) {
      // a message for the user
    }
  }

  Evaluation inOrder(first);
  Evaluation ahead(first);
  const std::string inOrderFailure = Failure([&] { inOrder.analysis->AddDayFile(path); });
  const std::string aheadFailure =
      Failure([&] { ahead.analysis->AddPreparedDay(PrepareDayFile(path, &ahead.upper, &ahead.lower)); });
  FUZZ_CHECK(inOrderFailure == aheadFailure);
  FUZZ_CHECK(inOrder.analysis->TakeWarnings() == ahead.analysis->TakeWarnings());
  ExpectSameDays(*inOrder.analysis, *ahead.analysis);
  ExpectFiniteValues(*inOrder.analysis);
  return 0;
}
