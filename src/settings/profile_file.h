#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calorix {

// One access to a profile file, with the semantics of the platform's profile
// functions: one call reads or writes one key. Names and values are UTF-8.
class ProfileAccess {
 public:
  virtual ~ProfileAccess() = default;

  // The key's value; nothing when the file, the section or the key is missing.
  virtual std::optional<std::string> Read(std::string_view section, std::string_view key) = 0;

  // Sets the key, keeping every other line of the file; the first write
  // creates the file. False when the file could not be written.
  [[nodiscard]] virtual bool Write(std::string_view section, std::string_view key, std::string_view value) = 0;

  // One key of a group of writes.
  struct Entry {
    std::string section;
    std::string key;
    std::string value;
  };
  // Sets the keys in order. This one writes them one by one and stops at
  // the first that fails; a file overrides it to write them all at once.
  [[nodiscard]] virtual bool WriteAll(const std::vector<Entry>& entries);
};

// Opens an access to the profile file at a path; null when that fails.
using ProfileOpener = std::function<std::unique_ptr<ProfileAccess>(const std::filesystem::path&)>;

// The settings file on disk, Windows-1252 encoded where a value can be held
// in it and UTF-8 where not (a value read that is well-formed UTF-8 with
// bytes beyond ASCII is taken as UTF-8). Reads take the file as it
// was at the first read; every write reads it again, changes the one key and
// replaces the whole file, so that two programs writing different keys do
// not undo each other's changes.
class ProfileFile : public ProfileAccess {
 public:
  explicit ProfileFile(std::filesystem::path path);

  std::optional<std::string> Read(std::string_view section, std::string_view key) override;
  [[nodiscard]] bool Write(std::string_view section, std::string_view key, std::string_view value) override;
  // All keys in one replacement of the file: either every key is written or
  // the file stays as it was.
  [[nodiscard]] bool WriteAll(const std::vector<Entry>& entries) override;

 private:
  std::filesystem::path path_;
  std::optional<std::string> content_;
};

// A ProfileFile; null when the path is empty or names anything but a regular
// file (a folder, a pipe, a device).
std::unique_ptr<ProfileAccess> OpenProfileFile(const std::filesystem::path& path);

// The file's bytes: empty for a file that does not exist, nothing for one
// that exists but cannot be read or is not a regular file.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// Writes the bytes to a new file beside the target and renames it over the
// target, so that a crash leaves either the old or the new file, never a
// half-written one. False, with the target untouched, when that fails.
[[nodiscard]] bool ReplaceFileBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace calorix
