#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_panel.h"
#include "core/date_time.h"
#include "core/error.h"
#include "logdata/day_preparation.h"
#include "logdata/log_analysis.h"

namespace calorix::logdata {

// The two path fields of a multi-day request.
enum class RequestField { Start, End };

// A path field names no file (text 84, two line breaks, the path as typed).
// Tells which field, so that the dialog can focus and select it.
class MultiDayPathError : public Error {
 public:
  MultiDayPathError(const std::string& message, RequestField field) : Error(message), field_(field) {}
  RequestField Field() const { return field_; }

 private:
  RequestField field_;
};

struct MultiDayRequest {
  enum class Kind {
    SingleDay,  // both fields hold the same text: load that one file alone
    Range,      // load files as a multi-day evaluation from start to end
  };
  Kind kind = Kind::Range;
  // SingleDay: the one path. Range: the day files found, in date order,
  // with the end file as typed last; never empty.
  std::vector<std::filesystem::path> files;
  // Range only: the dates the two file names stand for.
  DateTime start = 0.0;
  DateTime end = 0.0;
};

// Checks the two paths as typed and finds the day files between them.
// Missing files fail with MultiDayPathError (start checked first); names
// that are not yyyymmdd.csv, or an end before the start, fail with
// calorix::Error carrying texts 88 to 92.
//
// Day files are looked for from the start file's folder in three layouts:
// all in one folder, one folder "mm" per month, or folders "yyyy/mm". The
// month and year folders are found by replacing characters at fixed
// distances from the end of the candidate path, so a range that crosses
// into a new month or year moves on to that month's folder. Days without a
// file, including those in folders we may not read, are skipped.
MultiDayRequest ResolveMultiDayRequest(std::string_view startPathText, std::string_view endPathText);

// The folder part of a path as typed, up to and including its last
// separator; empty for a bare name. The day files of a range are looked for
// below the start file's.
std::string FolderPartOf(std::string_view path);

// The date a day file's name "yyyymmdd.csv" stands for (the extension in
// any case); none for any other name.
std::optional<DateTime> DayFileDate(const std::filesystem::path& file);

// The newest day file of a logger's folder, by the date in its name: in the
// folder itself, in its month folders "mm" or in its year folders "yyyy"
// with month folders below, the layouts a range is looked for in. None
// when there is none (or the folder cannot be read).
std::optional<std::filesystem::path> NewestDayFileIn(const std::filesystem::path& folder);

// The day files of the days after the one dayFile is named for, up to and
// including the day through lies in, looked for from dayFile's folder as
// the days of a range are; in date order. None for a file not named
// yyyymmdd.csv.
std::vector<std::filesystem::path> LaterDayFiles(const std::filesystem::path& dayFile, DateTime through);

// The receiver of a multi-day load: the evaluation window, or an
// EvaluationBuilder when no window is involved.
// The charts the days of a range are built for, when a target can take day
// files parsed ahead on other threads.
struct PreparationPanels {
  chart::ChartPanel* upper = nullptr;
  chart::ChartPanel* lower = nullptr;
};

class MultiDayTarget {
 public:
  virtual ~MultiDayTarget() = default;
  // Creates the evaluation from the first file. An exception here ends the
  // load before anything was begun.
  virtual void Begin(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start, DateTime end) = 0;
  // Loads one further file; an exception skips just this file.
  virtual void Add(const std::filesystem::path& path) = 0;
  virtual void End() = 0;
  // Drops what Begin and Add built.
  virtual void Cancel() = 0;
  // Targets that can take files parsed ahead name the charts their days
  // belong to (asked after Begin); none, the default, loads file by file.
  virtual PreparationPanels PanelsForPreparation() const { return {}; }
  // Adds a file parsed ahead; the same result and failures as Add.
  virtual void AddPrepared(PreparedDayFile&& prepared) { Add(prepared.path); }
};

// All members may be left empty.
struct MultiDayLoadCallbacks {
  // The number of files handled so far out of the total: 0 at the start and
  // after an abort, then once after every file.
  std::function<void(int position, int maximum)> progress;
  // Asked before each file after the first.
  std::function<bool()> shouldAbort;
  // A further file failed to load; the load goes on with the next one.
  FileFailureHandler fileFailed;
};

enum class MultiDayLoadOutcome {
  NoFiles,   // nothing to load; the target was not touched
  Aborted,   // the target was cancelled
  Finished,  // the target was ended
};

// Loads the files into the target one after another. A failing Begin (or
// End) propagates its exception unchanged: the caller shows it as any other
// command error, and nothing needs cancelling.
MultiDayLoadOutcome RunMultiDayLoad(const std::vector<std::filesystem::path>& files, DateTime start, DateTime end,
                                    MultiDayTarget& target, const MultiDayLoadCallbacks& callbacks);

// A target that builds a multi-day evaluation on the given charts, which
// must outlive it. A failure to load the first file's records does not end
// the load (the evaluation stays without that day); it goes to
// onFirstFileFailure, usually the same handler as the callbacks' fileFailed.
class EvaluationBuilder : public MultiDayTarget {
 public:
  EvaluationBuilder(chart::ChartPanel* upper, chart::ChartPanel* lower, FileFailureHandler onFirstFileFailure = {});

  void Begin(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start, DateTime end) override;
  void Add(const std::filesystem::path& path) override;
  void End() override;
  void Cancel() override;
  PreparationPanels PanelsForPreparation() const override { return {upper_, lower_}; }
  void AddPrepared(PreparedDayFile&& prepared) override;

  // The evaluation built so far; none before Begin and after Cancel.
  TLogAnalysis* Evaluation() const { return evaluation_.get(); }
  std::unique_ptr<TLogAnalysis> TakeEvaluation() { return std::move(evaluation_); }

 private:
  TLogAnalysis& Current() const;

  chart::ChartPanel* upper_;
  chart::ChartPanel* lower_;
  FileFailureHandler onFirstFileFailure_;
  std::unique_ptr<TLogAnalysis> evaluation_;
};

}  // namespace calorix::logdata
