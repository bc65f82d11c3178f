#include "logdata/spreadsheet_copy.h"

#include <cstdio>
#include <memory>

#include "core/error.h"
#include "i18n/text_table.h"
#include "logdata/log_format.h"

namespace calorix::logdata {
namespace {

// A number written with a decimal comma: blanks, a sign, digits, one comma
// and more digits, perhaps an exponent.
bool IsCommaNumber(std::string_view field) {
  int commas = 0;
  bool digit = false;
  for (const char c : field) {
    if (c == ',') {
      ++commas;
    } else if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c != ' ' && c != '+' && c != '-' && c != 'e' && c != 'E') {
      return false;
    }
  }
  return commas == 1 && digit;
}

std::string SpreadsheetField(std::string_view field) {
  std::string out(field);
  if (IsCommaNumber(field)) {
    out[out.find(',')] = '.';
    return out;
  }
  if (out.find_first_of(",\"") == std::string::npos) return out;
  std::string quoted = "\"";
  for (const char c : out) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void FailWriting(const std::filesystem::path& path) {
  throw Error(i18n::Text(i18n::kTextErrorOpeningFile) + "\n\n" + path.string());
}

// Creates a file that did not exist before; "x" refuses an existing one.
File CreateNew(const std::filesystem::path& folder, const std::string& base, std::filesystem::path& path) {
  for (int n = 1; n <= 1000; ++n) {
    path = folder / (base + (n == 1 ? "" : "-" + std::to_string(n)) + ".csv");
    if (File file{std::fopen(path.string().c_str(), "wbx")}) return file;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) FailWriting(path);
  }
  FailWriting(folder / (base + ".csv"));
}

bool ContinuesCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The last count characters of a UTF-8 name: a byte that continues a
// character (10xxxxxx) is never the first one kept. A character has at
// most three of them; more are not UTF-8 and count one by one.
std::string LastCharacters(const std::string& name, std::size_t count) {
  std::size_t start = name.size();
  for (std::size_t kept = 0; start > 0 && kept < count; ++kept) {
    --start;
    for (int more = 0; more < 3 && start > 0 && ContinuesCharacter(name[start]); ++more) --start;
  }
  return name.substr(start);
}

}  // namespace

std::string SpreadsheetLine(std::string_view line) {
  std::string out;
  out.reserve(line.size() + 8);
  for (std::size_t start = 0;;) {
    const std::size_t end = line.find(';', start);
    out += SpreadsheetField(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    out += ',';
    start = end + 1;
  }
  return out;
}

std::filesystem::path WriteSpreadsheetCopy(const std::filesystem::path& dayFile, const std::filesystem::path& folder) {
  const std::string bytes = ReadWholeFile(dayFile);
  const std::string base = LastCharacters(dayFile.stem().string(), 8) + "c";
  std::filesystem::path path;
  const File file = CreateNew(folder, base, path);
  bool ok = true;
  for (const std::string_view line : SplitLines(bytes, true)) {
    const std::string converted = SpreadsheetLine(line) + "\r\n";
    ok = ok && std::fwrite(converted.data(), 1, converted.size(), file.get()) == converted.size();
  }
  if (!ok || std::fflush(file.get()) != 0) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
    FailWriting(path);
  }
  return path;
}

}  // namespace calorix::logdata
