#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/color.h"

namespace calorix {

// Number of per-channel label and colour slots of a window's settings.
inline constexpr int kSettingSlotCount = 15;

// Slot order of the labels and colours: T1..T6, TD, Flow, Volume, Power,
// Energy, R1, R2, R3, RError (Volume before Power, unlike the channel order).
enum class SettingSlot : int { T1, T2, T3, T4, T5, T6, TD, Flow, Volume, Power, Energy, R1, R2, R3, RError };

// Label that stands for the channel's default name in the current language.
inline constexpr const char* kDefaultLabel = "DEFAULT_LABEL";

// Display settings of one evaluation window, and the defaults for new windows.
struct TChildSettings {
  std::string ChartTitle;
  std::int32_t LineWidth = 0;
  std::int32_t AxisMin = 0;
  std::int32_t AxisMax = 0;
  bool DynamicScaling = false;
  std::array<std::string, kSettingSlotCount> Labels{};
  std::array<Color, kSettingSlotCount> Colors{};
  bool OthersShowBars = false;
  bool RShowBars = false;

  friend bool operator==(const TChildSettings&, const TChildSettings&) = default;
};

}  // namespace calorix
