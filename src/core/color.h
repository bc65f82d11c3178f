#pragma once

#include <cstdint>

namespace calorix {

// A colour as 0x00BBGGRR: red in the low byte, the order the settings file
// and the colour dialog use.
using Color = std::uint32_t;

// Marks "no colour": null points and series that have not been coloured yet.
inline constexpr Color kNoColor = 0x1FFFFFFF;

constexpr Color MakeColor(int red, int green, int blue) {
  return static_cast<Color>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace calorix
