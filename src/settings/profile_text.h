#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace calorix {

// The profile (ini) format on the bytes of the file: "[Section]" lines, each
// followed by "Key=Value" lines. These behave as the platform's profile
// functions do: names compare without regard to ASCII case, blanks around
// names and values are ignored, one pair of quotes around a value is dropped,
// lines end with CR LF, LF or a lone CR, and lines that fit no pattern are
// skipped when reading and kept when writing. Where a section or a key occurs
// twice, the first one counts.

// Longest value a read returns; a longer one is cut there.
inline constexpr std::size_t kMaxProfileValueLength = 2047;

// The key's value, or nothing when the section or the key is missing.
std::optional<std::string> FindProfileValue(std::string_view content, std::string_view section, std::string_view key);

// The content with the key set to the value: an existing key is replaced in
// its line, a new key goes after the last entry of its section, a new section
// goes at the end. Every other line stays as it was, byte for byte.
std::string SetProfileValue(std::string_view content, std::string_view section, std::string_view key,
                            std::string_view value);

}  // namespace calorix
