#include "logdata/spreadsheet_copy.h"

#include <cstdio>
#include <memory>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#endif

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

// Opens a file for writing only if it does not exist yet. The C library of
// Windows knows no "x" mode (it would overwrite the file) and reads narrow
// names in the ANSI code page, hence the wide, exclusive open there.
std::FILE* OpenNewFile(const std::filesystem::path& path) {
#ifdef _WIN32
  int fd = -1;
  if (::_wsopen_s(&fd, path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _SH_DENYNO,
                  _S_IREAD | _S_IWRITE) != 0) {
    return nullptr;
  }
  std::FILE* file = ::_fdopen(fd, "wb");
  if (file == nullptr) ::_close(fd);
  return file;
#else
  return std::fopen(path.c_str(), "wbx");
#endif
}

// Creates a file that did not exist before, never writing over one.
File CreateNew(const std::filesystem::path& folder, const std::string& base, std::filesystem::path& path) {
  for (int n = 1; n <= 1000; ++n) {
    path = folder / (base + (n == 1 ? "" : "-" + std::to_string(n)) + ".csv");
    if (File file{OpenNewFile(path)}) return file;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) FailWriting(path);
  }
  FailWriting(folder / (base + ".csv"));
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
  const std::string stem = dayFile.stem().string();
  const std::string base = (stem.size() > 8 ? stem.substr(stem.size() - 8) : stem) + "c";
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
