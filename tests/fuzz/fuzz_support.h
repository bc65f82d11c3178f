#pragma once

// Shared by the fuzz targets. Each target is built twice: as a libFuzzer
// program (with CALORIX_FUZZ, clang only), where a failed check aborts so
// that the fuzzer keeps the input, and into an ordinary unit test that
// replays the committed corpus, where a failed check throws so that the test
// names the input.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace calorix::fuzz {

// A valid first day of a range, which the fuzzed day follows.
inline constexpr const char* kFirstDay =
    "DATE & TIME;T1[\xB0"
    "C];T2[\xB0"
    "C];T3[\xB0"
    "C];T4[\xB0"
    "C];T5[\xB0"
    "C];T6[\xB0"
    "C];Tds[\xB0"
    "C];"
    "V'[l/min];P[kW];R1[%];R2[%];R3[%];R![%]\r\n2024-01-01 00:00;20;;;;;;;1;1000;100;0;0;0\r\n"
    "2024-01-01 00:01;21;;;;;;;1;1000;100;0;0;0\r\n";

class CheckFailed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
  const std::string what = std::string(file) + ":" + std::to_string(line) + ": check failed: " + condition;
#ifdef CALORIX_FUZZ_REPLAY
  throw CheckFailed(what);
#else
  std::fprintf(stderr, "%s\n", what.c_str());
  std::abort();
#endif
}

// Splits the input at NUL bytes into at most count parts; missing parts are empty.
inline std::vector<std::string> Parts(const std::uint8_t* data, std::size_t size, std::size_t count) {
  std::vector<std::string> parts(count);
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t nul = i + 1 < count ? rest.find('\0') : std::string_view::npos;
    parts[i] = std::string(rest.substr(0, nul));
    if (nul == std::string_view::npos) break;
    rest.remove_prefix(nul + 1);
  }
  return parts;
}

// Where the scratch folder goes: memory-backed when there is such a place,
// since the settings file is flushed to disk at every write.
inline std::filesystem::path ScratchBase() {
  std::error_code ec;
  if (std::filesystem::is_directory("/dev/shm", ec)) return "/dev/shm";
  return std::filesystem::temp_directory_path();
}

// A folder of this process for the files a target writes, removed at exit.
inline const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = [] {
    const auto path = ScratchBase() / ("calorix-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(ScratchBase() / ("calorix-fuzz-" + std::to_string(::getpid())), ec);
    });
    return path;
  }();
  return folder;
}

inline void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A range of two days in the scratch folder: the valid first day (written
// once) and the fuzzed bytes as the day after it.
struct TwoDays {
  std::filesystem::path first;
  std::filesystem::path fuzzed;
};
inline TwoDays WriteTwoDays(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path folder = ScratchFolder();
  static const std::filesystem::path first = [&] {
    WriteFile(folder / "20240101.csv", kFirstDay);
    return folder / "20240101.csv";
  }();
  const std::filesystem::path fuzzed = folder / "20240102.csv";
  WriteFile(fuzzed, std::string_view(reinterpret_cast<const char*>(data), size));
  return {first, fuzzed};
}

// The fields of one CSV line; nothing when the line is no valid CSV (a
// quote inside an unquoted field, an unclosed or half-closed quoted field).
inline std::optional<std::vector<std::string>> CsvFields(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t i = 0;
  for (;;) {
    std::string field;
    if (i < line.size() && line[i] == '"') {
      for (++i;; ++i) {
        if (i >= line.size()) return std::nullopt;
        if (line[i] != '"') {
          field += line[i];
        } else if (i + 1 < line.size() && line[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          ++i;
          break;
        }
      }
      if (i < line.size() && line[i] != ',') return std::nullopt;
    } else {
      const std::size_t end = std::min(line.find(',', i), line.size());
      field = line.substr(i, end - i);
      if (field.find_first_of("\"\r\n") != std::string::npos) return std::nullopt;
      i = end;
    }
    fields.push_back(std::move(field));
    if (i >= line.size()) return fields;
    ++i;  // the comma
  }
}

}  // namespace calorix::fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::calorix::fuzz::Fail(#condition, __FILE__, __LINE__))
