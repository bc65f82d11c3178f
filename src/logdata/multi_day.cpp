#include "logdata/multi_day.h"
#include "core/utf8_path.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <unordered_set>

#include "i18n/text_table.h"

namespace calorix::logdata {
namespace {

#ifdef _WIN32
constexpr std::string_view kSeparators = "\\/:";
#else
constexpr std::string_view kSeparators = "/";
#endif

// A day file's name "yyyymmdd.csv" together with the separator before it.
constexpr std::size_t kSeparatorAndName = 13;

// The edits hold UTF-8.
std::filesystem::path PathOf(std::string_view text) { return PathFromUtf8(text); }

bool IsFile(std::string_view text) {
  std::error_code ec;  // an unreadable folder only means the file is not there
  return std::filesystem::is_regular_file(PathOf(text), ec);
}

// A field left at the remembered folder, or a name typed wrong, says what
// is wrong with it; anything else that is no file (a device) cannot be
// opened.
void RequireFile(std::string_view text, RequestField field) {
  if (IsFile(text)) return;
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(PathOf(text), ec);
  int reason = i18n::kTextErrorOpeningFile;
  if (std::filesystem::is_directory(status)) {
    reason = i18n::kTextChooseDayFileInFolder;
  } else if (!std::filesystem::exists(status)) {
    reason = i18n::kTextFileDoesNotExist;
  }
  throw MultiDayPathError(i18n::Text(reason) + "\n\n" + std::string(text), field);
}

std::string_view FileNameOf(std::string_view path) {
  const std::size_t at = path.find_last_of(kSeparators);
  return at == std::string_view::npos ? path : path.substr(at + 1);
}

// The folder part up to and including its last separator; empty for a bare
// name, so that the day files are then looked for where the start file was.
std::string FolderPrefixOf(std::string_view path) {
  const std::size_t at = path.find_last_of(kSeparators);
  return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::string_view ExtensionOf(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view{} : name.substr(dot);
}

// A name must be exactly eight digits yyyymmdd.
std::optional<DateTime> DateOfName(std::string name) {
  if (name.size() != 8 || !std::ranges::all_of(name, [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  name.insert(6, 1, '-');
  name.insert(4, 1, '-');
  return ReadDate(name, DateStyle::YearMonthDay);
}

// The lower-cased file name without its ".csv" (the first one in the name).
std::string DateNameOf(std::string_view path) {
  std::string name = LowerAscii(FileNameOf(path));
  if (const std::size_t at = name.find(".csv"); at != std::string::npos) name.erase(at, 4);
  return name;
}

// The regular files of the folders that discovery looks into, each folder
// listed once: a range of thousands of days then costs a few listings
// instead of several file look-ups per day.
class FolderListings {
 public:
  // Whether the path text names a regular file.
  bool IsFile(const std::string& path) {
    const Listing& listing = Of(FolderPrefixOf(path));
    if (!listing.listed) return logdata::IsFile(path);
    return listing.names.contains(NameKey(FileNameOf(path)));
  }

  // Whether the folder may hold a file whose name begins with yyyymm.
  bool MayHoldMonth(const std::string& folder, std::string_view yyyymm) {
    const Listing& listing = Of(folder);
    return !listing.listed || listing.months.contains(std::string(yyyymm));
  }

 private:
  struct Listing {
    bool listed = true;  // false: may be searched but not listed, so files are looked up one by one
    std::unordered_set<std::string> names;
    std::unordered_set<std::string> months;   // the first six characters of the names
    std::unordered_set<std::string> folders;  // the folders in it
  };

  // Names compare as the file system does: without regard to case on Windows.
  static std::string NameKey(std::string_view name) {
#ifdef _WIN32
    return LowerAscii(name);
#else
    return std::string(name);
#endif
  }

  const Listing& Of(const std::string& folder) {
    if (const auto known = folders_.find(folder); known != folders_.end()) return known->second;
    Listing listing = ParentLacks(folder) ? Listing{} : List(folder);
    return folders_.emplace(folder, std::move(listing)).first->second;
  }

  // Whether the listing of the folder's parent shows that the folder does
  // not exist: most month and year folders tried for a long range do not,
  // and this way they cost no look-up on disk.
  bool ParentLacks(const std::string& folder) {
    if (folder.size() < 2) return false;
    const std::string_view inner(folder.data(), folder.size() - 1);
    const std::size_t at = inner.find_last_of(kSeparators);
    if (at == std::string_view::npos) return false;
    const std::string_view name = inner.substr(at + 1);
    if (name.empty() || name == "." || name == "..") return false;
    const Listing& parent = Of(std::string(inner.substr(0, at + 1)));
    return parent.listed && !parent.folders.contains(NameKey(name));
  }

  static Listing List(const std::string& folder) {
    Listing listing;
    std::error_code ec;
    std::filesystem::directory_iterator entries(PathOf(folder.empty() ? "." : folder), ec);
    if (ec) {
      // A missing folder holds nothing; any other failure is asked file by file.
      listing.listed = ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory;
      return listing;
    }
    for (; entries != std::filesystem::directory_iterator(); entries.increment(ec)) {
      std::error_code typeError;
      const std::u8string name = entries->path().filename().u8string();
      std::string key = NameKey(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()));
      if (entries->is_directory(typeError)) {
        listing.folders.insert(std::move(key));
      } else if (entries->is_regular_file(typeError)) {
        listing.months.insert(key.substr(0, 6));
        listing.names.insert(std::move(key));
      }
    }
    if (ec) listing.listed = false;
    return listing;
  }

  std::unordered_map<std::string, Listing> folders_;
};

// A number of at least width digits, with leading zeros (years 1 to 9999).
std::string Padded(int value, std::size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

// The places a day's file is looked for, in order: in the folder, then with
// the month folder "mm" (the two characters before "/yyyymmdd.csv") set to
// the day's month, then with the year folder (the four before "/mm") set to
// its year as well. Nothing for a place the path is too short for.
std::array<std::optional<std::string>, 3> CandidatePaths(const std::string& folder, const CivilDate& day) {
  const std::string year = Padded(day.year, 4);
  const std::string month = Padded(day.month, 2);
  std::array<std::optional<std::string>, 3> candidates;
  std::string candidate = folder + year + month + Padded(day.day, 2) + ".csv";
  candidates[0] = candidate;
  if (candidate.size() < kSeparatorAndName + 5) return candidates;
  candidate.replace(candidate.size() - kSeparatorAndName - 2, 2, month);
  candidates[1] = candidate;
  if (candidate.size() < kSeparatorAndName + 10) return candidates;
  candidate.replace(candidate.size() - kSeparatorAndName - 7, 4, year);
  candidates[2] = candidate;
  return candidates;
}

// Windows finds "20240530.CSV" when asked for "20240530.csv"; on a
// case-sensitive file system the upper-case extension is tried as well.
std::optional<std::string> ExistingSpelling(FolderListings& listings, std::string candidate) {
  if (listings.IsFile(candidate)) return candidate;
  candidate.replace(candidate.size() - 4, 4, ".CSV");
  if (listings.IsFile(candidate)) return candidate;
  return std::nullopt;
}

// Finds the file of one day; when it is found in a month or year folder,
// later days are looked for there first.
std::optional<std::string> FindDayFile(FolderListings& listings, std::string& folder, DateTime day) {
  const auto candidates = CandidatePaths(folder, DecodeDate(day));
  for (std::size_t i = 0; i < candidates.size() && candidates[i]; ++i) {
    if (auto found = ExistingSpelling(listings, *candidates[i])) {
      if (i > 0) folder = FolderPrefixOf(*found);
      return found;
    }
  }
  return std::nullopt;
}

// Whether any place the days of that month are looked for holds a file of
// the month; if none does, no day of it is found and the folder stays.
bool MonthMayHoldFiles(FolderListings& listings, const std::string& folder, const CivilDate& day) {
  const std::string month = Padded(day.year, 4) + Padded(day.month, 2);
  for (const auto& candidate : CandidatePaths(folder, day)) {
    if (candidate && listings.MayHoldMonth(FolderPrefixOf(*candidate), month)) return true;
  }
  return false;
}

std::vector<std::filesystem::path> FindDayFiles(std::string_view startPath, DateTime start, int dayCount) {
  std::string folder = FolderPrefixOf(startPath);
  FolderListings listings;
  std::vector<std::filesystem::path> files;
  for (int i = 0; i < dayCount;) {
    const CivilDate first = DecodeDate(start + i);
    const int monthEnd = std::min(dayCount, i + DaysInMonth(first.year, first.month) - first.day + 1);
    if (!MonthMayHoldFiles(listings, folder, first)) {
      i = monthEnd;
      continue;
    }
    for (; i < monthEnd; ++i) {
      if (const auto found = FindDayFile(listings, folder, start + i)) files.push_back(PathOf(*found));
    }
  }
  return files;
}

// Parses the files of a range ahead, on worker threads, while the caller
// adds them to the evaluation one by one in order. Workers stay at most a
// few files ahead of the caller, so an abort leaves little work wasted.
class AheadParser {
 public:
  AheadParser(const std::vector<std::filesystem::path>& files, std::size_t first, PreparationPanels panels)
      : files_(files), panels_(panels), slots_(files.size()), next_(first), taken_(first) {
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    for (unsigned i = 0; i < threads; ++i) workers_.emplace_back([this] { Work(); });
  }

  ~AheadParser() {
    {
      const std::lock_guard lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) worker.join();
  }

  AheadParser(const AheadParser&) = delete;
  AheadParser& operator=(const AheadParser&) = delete;

  PreparedDayFile Take(std::size_t index) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return slots_[index].ready; });
    PreparedDayFile prepared = std::move(slots_[index].day);
    taken_ = index + 1;
    lock.unlock();
    changed_.notify_all();
    return prepared;
  }

 private:
  static constexpr std::size_t kLookahead = 8;

  struct Slot {
    bool ready = false;
    PreparedDayFile day;
  };

  void Work() {
    for (;;) {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return stop_ || next_ >= files_.size() || next_ < taken_ + kLookahead; });
      if (stop_ || next_ >= files_.size()) return;
      const std::size_t index = next_++;
      lock.unlock();
      PreparedDayFile prepared;
      try {
        prepared = PrepareDayFile(files_[index], panels_.upper, panels_.lower);
      } catch (...) {
        prepared.path = files_[index];
        prepared.readFailure = std::current_exception();
      }
      lock.lock();
      slots_[index].day = std::move(prepared);
      slots_[index].ready = true;
      lock.unlock();
      changed_.notify_all();
    }
  }

  const std::vector<std::filesystem::path>& files_;
  const PreparationPanels panels_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Slot> slots_;
  std::size_t next_;   // the next file a worker takes
  std::size_t taken_;  // files before this one went to the caller
  bool stop_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace

MultiDayRequest ResolveMultiDayRequest(std::string_view startPathText, std::string_view endPathText) {
  RequireFile(startPathText, RequestField::Start);
  RequireFile(endPathText, RequestField::End);
  MultiDayRequest request;
  if (startPathText == endPathText) {
    request.kind = MultiDayRequest::Kind::SingleDay;
    request.files.push_back(PathOf(startPathText));
    return request;
  }
  if (LowerAscii(ExtensionOf(FileNameOf(startPathText))) != ".csv" ||
      LowerAscii(ExtensionOf(FileNameOf(endPathText))) != ".csv") {
    throw Error(i18n::Text(i18n::kTextOnlyCsvExtension));
  }
  const std::string startName = DateNameOf(startPathText);
  const std::string endName = DateNameOf(endPathText);
  if (startName.size() < 8 || endName.size() < 8) throw Error(i18n::Text(i18n::kTextNoDateInNames));
  const auto start = DateOfName(startName);
  if (!start) throw Error(i18n::Text(i18n::kTextStartNotADate));
  const auto end = DateOfName(endName);
  if (!end) throw Error(i18n::Text(i18n::kTextEndNotADate));
  const double dayCount = std::trunc(*end - *start);
  if (dayCount < 0) throw Error(i18n::Text(i18n::kTextEndBeforeStart));

  request.start = *start;
  request.end = *end;
  // The end day itself is not looked for: the end file is taken as typed.
  request.files = FindDayFiles(startPathText, *start, static_cast<int>(dayCount));
  request.files.push_back(PathOf(endPathText));
  return request;
}

std::string FolderPartOf(std::string_view path) { return FolderPrefixOf(path); }

namespace {

std::string TextOf(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

bool IsNumberFolderName(const std::string& name) {
  return (name.size() == 2 || name.size() == 4) &&
         std::ranges::all_of(name, [](char c) { return c >= '0' && c <= '9'; });
}

struct DatedFile {
  DateTime date = 0.0;
  std::filesystem::path path;
};

// The newest day file in folder and, depth levels down, in its month and
// year folders.
std::optional<DatedFile> NewestBelow(const std::filesystem::path& folder, int depth) {
  std::optional<DatedFile> newest;
  const auto take = [&newest](std::optional<DatedFile> found) {
    if (found && (!newest || found->date > newest->date)) newest = std::move(found);
  };
  std::error_code ec;
  std::filesystem::directory_iterator entries(folder, ec);
  if (ec) return std::nullopt;
  for (; entries != std::filesystem::directory_iterator(); entries.increment(ec)) {
    std::error_code typeError;
    const std::filesystem::path& path = entries->path();
    if (entries->is_regular_file(typeError)) {
      if (const auto date = DayFileDate(path)) take(DatedFile{*date, path});
    } else if (depth > 0 && entries->is_directory(typeError) && IsNumberFolderName(TextOf(path.filename()))) {
      take(NewestBelow(path, depth - 1));
    }
  }
  return newest;
}

}  // namespace

std::optional<DateTime> DayFileDate(const std::filesystem::path& file) {
  const std::string path = TextOf(file);
  if (LowerAscii(ExtensionOf(FileNameOf(path))) != ".csv") return std::nullopt;
  return DateOfName(DateNameOf(path));
}

std::optional<std::filesystem::path> NewestDayFileIn(const std::filesystem::path& folder) {
  // The folder itself, its month folders, or its year folders and theirs.
  if (auto newest = NewestBelow(folder, 2)) return std::move(newest->path);
  return std::nullopt;
}

std::vector<std::filesystem::path> LaterDayFiles(const std::filesystem::path& dayFile, DateTime through) {
  const std::optional<DateTime> date = DayFileDate(dayFile);
  if (!date) return {};
  const double days = std::floor(through) - std::floor(*date);
  if (days < 1.0) return {};
  return FindDayFiles(TextOf(dayFile), *date + 1.0, static_cast<int>(days));
}

MultiDayLoadOutcome RunMultiDayLoad(const std::vector<std::filesystem::path>& files, DateTime start, DateTime end,
                                    MultiDayTarget& target, const MultiDayLoadCallbacks& callbacks) {
  const int total = static_cast<int>(files.size());
  const auto progress = [&](int position) {
    if (callbacks.progress) callbacks.progress(position, total);
  };
  progress(0);
  if (files.empty()) return MultiDayLoadOutcome::NoFiles;
  target.Begin(static_cast<unsigned>(files.size()), files.front(), start, end);
  progress(1);
  const PreparationPanels panels = target.PanelsForPreparation();
  std::optional<AheadParser> ahead;
  if (panels.upper && panels.lower && total > 2) ahead.emplace(files, 1, panels);
  for (int i = 1; i < total; ++i) {
    if (callbacks.shouldAbort && callbacks.shouldAbort()) {
      ahead.reset();
      progress(0);
      target.Cancel();
      return MultiDayLoadOutcome::Aborted;
    }
    const auto index = static_cast<std::size_t>(i);
    try {
      if (ahead) {
        target.AddPrepared(ahead->Take(index));
      } else {
        target.Add(files[index]);
      }
    } catch (const std::exception& e) {
      if (callbacks.fileFailed) callbacks.fileFailed(e.what());
    }
    progress(i + 1);
  }
  ahead.reset();
  target.End();
  return MultiDayLoadOutcome::Finished;
}

EvaluationBuilder::EvaluationBuilder(chart::ChartPanel* upper, chart::ChartPanel* lower,
                                     FileFailureHandler onFirstFileFailure)
    : upper_(upper), lower_(lower), onFirstFileFailure_(std::move(onFirstFileFailure)) {}

void EvaluationBuilder::Begin(unsigned fileCount, const std::filesystem::path& firstPath, DateTime start,
                              DateTime end) {
  evaluation_.reset();
  evaluation_ = TLogAnalysis::CreateMulti(start, end, fileCount, firstPath, upper_, lower_, onFirstFileFailure_);
}

void EvaluationBuilder::Add(const std::filesystem::path& path) { Current().AddDayFile(path); }

void EvaluationBuilder::AddPrepared(PreparedDayFile&& prepared) { Current().AddPreparedDay(std::move(prepared)); }

void EvaluationBuilder::End() { Current().BuildDailyTotals(); }

void EvaluationBuilder::Cancel() { evaluation_.reset(); }

TLogAnalysis& EvaluationBuilder::Current() const {
  if (!evaluation_) throw std::logic_error("EvaluationBuilder: no evaluation begun");
  return *evaluation_;
}

}  // namespace calorix::logdata
