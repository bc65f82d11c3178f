#pragma once

#include <string>
#include <string_view>

namespace calorix {

// Log files and the settings file are Windows-1252 on disk; the program's
// texts are UTF-8. These convert at that edge.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters without a Windows-1252 byte become '?'; malformed UTF-8 bytes
// are taken as Windows-1252 bytes already.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace calorix
