#pragma once

#include <string>
#include <string_view>

namespace calorix {

// Log files and the settings file are Windows-1252 on disk; the program's
// texts are UTF-8. These convert at that edge.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters without a Windows-1252 byte become '?'; malformed UTF-8 bytes
// (also overlong forms, surrogates and values above U+10FFFF) are taken as
// Windows-1252 bytes already and pass through unchanged.
std::string Utf8ToCp1252(std::string_view text);

// Whether every character of the UTF-8 text has a Windows-1252 byte, so that
// Utf8ToCp1252 loses nothing. Malformed bytes count as holdable: they pass
// through as they are.
bool FitsCp1252(std::string_view text);

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or
// values above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

}  // namespace calorix
