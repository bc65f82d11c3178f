#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>

// The program keeps path names as UTF-8 text on every platform. On Windows a
// std::filesystem::path built from a plain std::string reads its bytes in
// another encoding, so text and paths cross over through these.
namespace calorix {

inline std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// A path name with the platform's own separators: on Windows every "/"
// (Qt's dialogs and dropped files give those) becomes "\", as the user reads
// and types paths there; elsewhere the name stays as it is.
inline std::string NativeSeparators(std::string text) {
  if constexpr (std::filesystem::path::preferred_separator == '\\') std::replace(text.begin(), text.end(), '/', '\\');
  return text;
}

}  // namespace calorix
