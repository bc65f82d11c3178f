// The checks of a multi-day request and the discovery of its files, on a
// small tree of day files in the three folder layouts: a request either
// fails with a message or gives regular files in date order, the end file
// last as typed, all within the requested dates.

#include "core/error.h"
#include "fuzz_support.h"
#include "logdata/multi_day.h"

namespace {

using namespace calorix;
using namespace calorix::logdata;

const std::filesystem::path& Tree() {
  static const std::filesystem::path root = [] {
    const auto path = fuzz::ScratchFolder() / "tree";
    for (const char* name : {"20240530.csv", "20240531.CSV", "20240601.csv", "05/20240531.csv", "06/20240601.csv",
                             "06/20240602.csv", "2024/12/20241231.csv", "2025/01/20250101.csv", "2025/01/20250102.csv",
                             "x/2024053 .csv", "x/00010101.csv", "x/99991231.csv", "y/20240601.csv/keep"}) {
      fuzz::WriteFile(path / name, "DATE & TIME;T1\r\n");
    }
    return path;
  }();
  return root;
}

// The date a day file's name stands for, if it is one of ours.
std::optional<DateTime> DateOfFile(const std::filesystem::path& path) {
  const std::string name = path.filename().string();
  if (name.size() != 12) return std::nullopt;
  return TryEncodeDate(std::stoi(name.substr(0, 4)), std::stoi(name.substr(4, 2)), std::stoi(name.substr(6, 2)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parts = fuzz::Parts(data, size, 2);
  // Paths below the tree, so that the fuzzer looks at our files only.
  const std::string start = Tree().string() + "/" + parts[0];
  const std::string end = Tree().string() + "/" + parts[1];
  MultiDayRequest request;
  try {
    request = ResolveMultiDayRequest(start, end);
  } catch (const Error&) {
    return 0;  // a message for the user
  }
  FUZZ_CHECK(!request.files.empty());
  FUZZ_CHECK(request.files.back().string() == end);
  for (const auto& file : request.files) {
    std::error_code ec;
    FUZZ_CHECK(std::filesystem::is_regular_file(file, ec));
  }
  if (request.kind == MultiDayRequest::Kind::SingleDay) {
    FUZZ_CHECK(request.files.size() == 1 && start == end);
    return 0;
  }
  FUZZ_CHECK(request.start <= request.end);
  // A start name stands for a date only as exactly eight digits.
  std::string startName = std::filesystem::path(start).filename().string();
  startName = startName.substr(0, startName.find('.'));
  FUZZ_CHECK(startName.size() == 8 && startName.find_first_not_of("0123456789") == std::string::npos);
  DateTime previous = request.start - 1;
  for (std::size_t i = 0; i + 1 < request.files.size(); ++i) {
    const auto date = DateOfFile(request.files[i]);
    FUZZ_CHECK(date && *date > previous && *date < request.end);
    previous = *date;
  }
  return 0;
}
