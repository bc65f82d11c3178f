#include "settings/profile_file.h"

#include "core/cp1252.h"
#include "settings/profile_text.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <random>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace calorix {
namespace fs = std::filesystem;

namespace {

fs::path TemporaryPathBeside(const fs::path& target) {
  static std::random_device random;
  const auto tag = std::to_string(random()) + std::to_string(random());
  return target.parent_path() / ("." + target.filename().string() + "." + tag + ".tmp");
}

#ifndef _WIN32
// Flushed to the disk before the rename, so that the rename never exposes a
// file whose content is still in flight.
bool WriteNewFile(const fs::path& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = true;
  while (ok && !bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    ok = written > 0;
    if (ok) bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  ok = ok && ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
}
#else
bool WriteNewFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}
#endif

// Writing through a symbolic link must keep the link, also when its target
// does not exist yet: the links are followed by hand, hop by hop.
fs::path ResolvedTarget(const fs::path& path) {
  constexpr int kMaxHops = 40;  // as the system gives up on a loop
  fs::path target = path;
  std::error_code ec;
  for (int hop = 0; hop < kMaxHops && fs::is_symlink(target, ec); ++hop) {
    const fs::path next = fs::read_symlink(target, ec);
    if (ec) return path;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target;
}

bool BeyondAscii(std::string_view bytes) {
  return std::ranges::any_of(bytes, [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// A value that is well-formed UTF-8 with bytes beyond ASCII was written as
// UTF-8; anything else is Windows-1252.
bool ReadsAsUtf8(std::string_view bytes) { return BeyondAscii(bytes) && IsValidUtf8(bytes); }

// Values Windows-1252 can hold are written in it, so that files stay readable
// by whoever else reads them; any other value is written as UTF-8 rather
// than losing characters to "?". So is the rare value whose Windows-1252
// bytes would read back as UTF-8 ("Ã¤"), so that every value reads back.
std::string OnDisk(std::string_view text) {
  if (FitsCp1252(text)) {
    std::string bytes = Utf8ToCp1252(text);
    if (!ReadsAsUtf8(bytes)) return bytes;
  }
  return std::string(text);
}

std::string InMemory(std::string_view bytes) { return ReadsAsUtf8(bytes) ? std::string(bytes) : Cp1252ToUtf8(bytes); }

}  // namespace

#ifndef _WIN32
// Only a regular file is read: a pipe or a device in its place could block
// for ever or never end. Opened without blocking and checked on the open
// file, so nothing can be swapped in between.
std::optional<std::string> ReadFileBytes(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::string();
    return std::nullopt;
  }
  std::optional<std::string> bytes;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    bytes.emplace();
    char buffer[1 << 16];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0) bytes->append(buffer, static_cast<std::size_t>(got));
    if (got < 0) bytes.reset();
  }
  ::close(fd);
  return bytes;
}
#else
std::optional<std::string> ReadFileBytes(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return std::string();
  if (ec || !fs::is_regular_file(status)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  std::string bytes;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (!in || size < 0) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(size));
  in.seekg(0);
  in.read(bytes.data(), size);
  if (in.gcount() != size) return std::nullopt;
  return bytes;
}
#endif

bool ReplaceFileBytes(const fs::path& path, std::string_view bytes) {
  const fs::path target = ResolvedTarget(path);
  const fs::path temporary = TemporaryPathBeside(target);
  std::error_code ec;
  if (WriteNewFile(temporary, bytes)) {
    const fs::file_status old = fs::status(target, ec);
    if (fs::exists(old)) fs::permissions(temporary, old.permissions(), ec);
    fs::rename(temporary, target, ec);
    if (!ec) return true;
  }
  fs::remove(temporary, ec);
  return false;
}

ProfileFile::ProfileFile(fs::path path) : path_(std::move(path)) {}

std::optional<std::string> ProfileFile::Read(std::string_view section, std::string_view key) {
  if (!content_) content_ = ReadFileBytes(path_).value_or(std::string());
  const auto value = FindProfileValue(*content_, OnDisk(section), OnDisk(key));
  if (!value) return std::nullopt;
  return InMemory(*value);
}

bool ProfileAccess::WriteAll(const std::vector<Entry>& entries) {
  for (const Entry& entry : entries) {
    if (!Write(entry.section, entry.key, entry.value)) return false;
  }
  return true;
}

bool ProfileFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  return WriteAll({{std::string(section), std::string(key), std::string(value)}});
}

bool ProfileFile::WriteAll(const std::vector<Entry>& entries) {
  // Read again so that keys others wrote since are kept. A file that exists
  // but cannot be read is left alone: rewriting it from nothing would lose
  // every other key.
  const auto current = ReadFileBytes(path_);
  if (!current) return false;
  std::string updated = *current;
  for (const Entry& entry : entries) {
    updated = SetProfileValue(updated, OnDisk(entry.section), OnDisk(entry.key), OnDisk(entry.value));
  }
  if (!ReplaceFileBytes(path_, updated)) return false;
  content_ = std::move(updated);
  return true;
}

std::unique_ptr<ProfileAccess> OpenProfileFile(const fs::path& path) {
  std::error_code ec;
  if (path.empty()) return nullptr;
  const fs::file_status status = fs::status(path, ec);
  if (fs::exists(status) && !fs::is_regular_file(status)) return nullptr;
  return std::make_unique<ProfileFile>(path);
}

}  // namespace calorix
