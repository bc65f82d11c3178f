// The spreadsheet copy of any file: one line per line of the file, each
// with as many fields as the line has, written as valid CSV; the copy's name
// is made of whole characters of the file's name.

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cp1252.h"
#include "core/error.h"
#include "fuzz_support.h"
#include "logdata/log_format.h"
#include "logdata/spreadsheet_copy.h"

namespace {

// A file name part without folder separators or NULs, never empty.
std::string NamePart(std::string_view bytes) {
  std::string name;
  for (const char c : bytes.substr(0, 40)) {
    if (c != '/' && c != '\0') name += c;
  }
  return name.empty() || name == "." || name == ".." ? "x" : name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace calorix;
  const std::vector<std::string> parts = fuzz::Parts(data, size, 2);
  const std::string stem = NamePart(parts[0]);
  const std::string& bytes = parts[1];
  const std::filesystem::path folder = fuzz::ScratchFolder() / "copies";
  const std::filesystem::path day = fuzz::ScratchFolder() / (stem + ".csv");
  fuzz::WriteFile(day, bytes);
  std::filesystem::path copy;
  try {
    copy = logdata::WriteSpreadsheetCopy(day, folder);
  } catch (const Error&) {
    std::filesystem::remove(day);
    return 0;  // a name the file system refuses
  }
  std::ifstream in(copy, std::ios::binary);
  const std::string written{std::istreambuf_iterator<char>(in), {}};
  std::filesystem::remove(copy);
  std::filesystem::remove(day);

  const std::string name = copy.filename().string();
  FUZZ_CHECK(name.ends_with("c.csv"));
  if (IsValidUtf8(day.stem().string())) FUZZ_CHECK(IsValidUtf8(name));
  const std::vector<std::string_view> lines = logdata::SplitLines(bytes, true);
  std::size_t at = 0;
  for (const std::string_view line : lines) {
    const std::size_t end = written.find("\r\n", at);
    FUZZ_CHECK(end != std::string::npos);
    const auto fields = fuzz::CsvFields(std::string_view(written).substr(at, end - at));
    FUZZ_CHECK(fields.has_value());
    FUZZ_CHECK(fields->size() == static_cast<std::size_t>(std::count(line.begin(), line.end(), ';')) + 1);
    at = end + 2;
  }
  FUZZ_CHECK(at == written.size());
  return 0;
}
