#include "app/drop_rules.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace calorix::app {
namespace {

namespace fs = std::filesystem;

bool AllDigits(const std::string& text, std::size_t count) {
  return text.size() == count &&
         std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

bool IsFolder(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool IsFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

// The day files directly in a folder; unreadable folders give none.
std::vector<fs::path> DayFilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (IsDayFileName(it->path()) && IsFile(it->path())) files.push_back(it->path());
  }
  return files;
}

std::vector<fs::path> SubfoldersNamed(const fs::path& folder, std::size_t digits) {
  std::vector<fs::path> folders;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (AllDigits(it->path().filename().string(), digits) && IsFolder(it->path())) folders.push_back(it->path());
  }
  return folders;
}

}  // namespace

bool IsDayFileName(const fs::path& path) {
  const std::string name = path.filename().string();
  if (name.size() != 12 || !AllDigits(name.substr(0, 8), 8)) return false;
  std::string extension = name.substr(8);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".csv";
}

std::optional<std::pair<fs::path, fs::path>> DayFileSpan(const fs::path& folder) {
  std::vector<fs::path> files = DayFilesIn(folder);
  for (const fs::path& month : SubfoldersNamed(folder, 2)) {
    for (fs::path& file : DayFilesIn(month)) files.push_back(std::move(file));
  }
  for (const fs::path& year : SubfoldersNamed(folder, 4)) {
    for (const fs::path& month : SubfoldersNamed(year, 2)) {
      for (fs::path& file : DayFilesIn(month)) files.push_back(std::move(file));
    }
  }
  if (files.empty()) return std::nullopt;
  const auto byDate = [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); };
  return std::pair{*std::min_element(files.begin(), files.end(), byDate),
                   *std::max_element(files.begin(), files.end(), byDate)};
}

bool InOneFolderTree(const fs::path& a, const fs::path& b) {
  const fs::path folderA = a.parent_path();
  const fs::path folderB = b.parent_path();
  if (folderA == folderB) return true;
  const auto isMonth = [](const fs::path& folder) { return AllDigits(folder.filename().string(), 2); };
  const auto isYear = [](const fs::path& folder) { return AllDigits(folder.filename().string(), 4); };
  if (!isMonth(folderA) || !isMonth(folderB)) return false;
  if (folderA.parent_path() == folderB.parent_path()) return true;
  return isYear(folderA.parent_path()) && isYear(folderB.parent_path()) &&
         folderA.parent_path().parent_path() == folderB.parent_path().parent_path();
}

DropPlan PlanDrop(const std::vector<fs::path>& paths) {
  if (paths.size() == 1 && IsFolder(paths[0])) {
    const auto span = DayFileSpan(paths[0]);
    if (!span) return {DropPlan::Kind::NoDayFiles, {paths[0]}};
    return {DropPlan::Kind::OfferRange, {span->first, span->second}};
  }
  std::vector<fs::path> files;
  std::copy_if(paths.begin(), paths.end(), std::back_inserter(files), [](const fs::path& p) { return !IsFolder(p); });
  if (files.empty()) return {};
  if (files.size() == 2 && IsDayFileName(files[0]) && IsDayFileName(files[1]) && InOneFolderTree(files[0], files[1])) {
    if (files[1].filename() < files[0].filename()) std::swap(files[0], files[1]);
    return {DropPlan::Kind::OpenRange, files};
  }
  return {DropPlan::Kind::OpenFiles, files};
}

}  // namespace calorix::app
