// Windows-1252 conversion: every byte string survives the trip to UTF-8 and
// back, UTF-8 made from it is well-formed, and what Windows-1252 can hold
// comes back unchanged the other way.

#include <algorithm>

#include "core/cp1252.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string utf8 = calorix::Cp1252ToUtf8(bytes);
  FUZZ_CHECK(calorix::IsValidUtf8(utf8));
  FUZZ_CHECK(calorix::FitsCp1252(utf8));
  FUZZ_CHECK(calorix::Utf8ToCp1252(utf8) == bytes);

  const std::string back = calorix::Utf8ToCp1252(bytes);
  FUZZ_CHECK(back.size() <= bytes.size());
  if (calorix::IsValidUtf8(bytes) && calorix::FitsCp1252(bytes)) FUZZ_CHECK(calorix::Cp1252ToUtf8(back) == bytes);
  // Only characters without a byte become "?".
  if (calorix::FitsCp1252(bytes)) {
    FUZZ_CHECK(std::count(back.begin(), back.end(), '?') == std::count(bytes.begin(), bytes.end(), '?'));
  }
  return 0;
}
