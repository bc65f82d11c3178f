#include "logdata/day_follower.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <string_view>
#include <utility>

#include "core/error.h"
#include "i18n/text_table.h"

namespace calorix::logdata {
namespace {

// Enough bytes to tell a replaced file from the one read, without reading
// it all again.
constexpr std::size_t kSeenBytes = 256;

// The length of the complete lines at the start of bytes. A CR at the very
// end may be the first half of a CR LF: the line counts once more follows.
std::size_t CompleteLength(std::string_view bytes) {
  const std::size_t lf = bytes.rfind('\n');
  const std::size_t cr = bytes.size() > 1 ? bytes.rfind('\r', bytes.size() - 2) : std::string_view::npos;
  const std::size_t end =
      std::max(lf == std::string_view::npos ? 0 : lf + 1, cr == std::string_view::npos ? 0 : cr + 1);
  return end;
}

// Line ends in complete lines: CR LF, LF and CR each end one line.
std::size_t LineCount(std::string_view bytes) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))) ++count;
  }
  return count;
}

std::size_t RecordCount(std::string_view lines, std::size_t firstLine) {
  return RecordLines::OfText(lines, firstLine).CountLeft();
}

// The file's bytes from offset on; none when the file is shorter than that.
std::optional<std::string> BytesFrom(const std::filesystem::path& path, std::size_t offset) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (!in || size < static_cast<std::streamoff>(offset)) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size) - offset, '\0');
  in.seekg(static_cast<std::streamoff>(offset));
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!in) return std::nullopt;
  return bytes;
}

}  // namespace

DayFileFollower::DayFileFollower(std::filesystem::path path, chart::ChartPanel* upper, chart::ChartPanel* lower)
    : path_(std::move(path)), upper_(upper), lower_(lower) {}

DayFileFollower::Change DayFileFollower::Poll() {
  // The first record is dated like the second, and so is the day: both are
  // settled only once two records are there.
  if (!day_ || records_ < 2) return Reload();
  const std::size_t from = consumed_ - seen_.size();
  const std::optional<std::string> bytes = BytesFrom(path_, from);
  if (!bytes || bytes->compare(0, seen_.size(), seen_) != 0) return Reload();
  return Append(bytes->substr(seen_.size()));
}

DayFileFollower::Change DayFileFollower::Reload() {
  std::string bytes = ReadWholeFile(path_);
  bytes.resize(CompleteLength(bytes));
  const std::size_t length = bytes.size();
  std::string seen = bytes.substr(length - std::min(length, kSeenBytes));
  const std::size_t lines = LineCount(bytes);
  std::unique_ptr<TDay> day;
  LogReadState reading;
  std::size_t records = 0;
  if (bytes.find_first_not_of("\r\n") != std::string::npos) {
    const DayFile file = DayFileOf(std::move(bytes));
    if (!CheckHeader(file.Header(), reading)) throw Error(i18n::Text(i18n::kTextNotAValidLogFile));
    records = file.Records().CountLeft();
    if (records > 0) {
      day = std::make_unique<TDay>(DayDateOfRecords(file.Records(), reading.dateStyle), upper_, lower_);
      day->ParseDay(file.Records(), reading.powerInWatts, reading.dateStyle);
    }
  }
  const bool had = day_ != nullptr;
  owned_ = std::move(day);
  day_ = owned_.get();
  reading_ = reading;
  consumed_ = length;
  seen_ = std::move(seen);
  nextLine_ = lines + 1;
  records_ = records;
  return day_ || had ? Change::Reloaded : Change::None;
}

DayFileFollower::Change DayFileFollower::Append(const std::string& added) {
  const std::string_view lines = std::string_view(added).substr(0, CompleteLength(added));
  if (lines.empty()) return Change::None;
  day_->ParseMore(RecordLines::OfText(lines, nextLine_));
  records_ += RecordCount(lines, nextLine_);
  nextLine_ += LineCount(lines);
  consumed_ += lines.size();
  seen_ += lines;
  if (seen_.size() > kSeenBytes) seen_.erase(0, seen_.size() - kSeenBytes);
  return Change::Appended;
}

}  // namespace calorix::logdata
