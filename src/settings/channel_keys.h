#pragma once

#include <array>
#include <string_view>

#include "core/child_settings.h"
#include "core/color.h"

namespace calorix {

// A channel as the settings file names it ("<Name>Label", "<Name>Color"),
// with its label and colour slot and its default colour.
struct ChannelKey {
  std::string_view name;
  SettingSlot slot;
  Color defaultColor;
};

// In the order of the settings file (Power before Volume, unlike the slots).
// The colour dialog offers the colours in this order too.
inline constexpr std::array<ChannelKey, kSettingSlotCount> kChannelKeys = {{
    {"T1", SettingSlot::T1, 0x0000FF},
    {"T2", SettingSlot::T2, 0xFF0000},
    {"T3", SettingSlot::T3, 0x8000FF},
    {"T4", SettingSlot::T4, 0x008000},
    {"T5", SettingSlot::T5, 0x0080FF},
    {"T6", SettingSlot::T6, 0x0A5E76},
    {"TD", SettingSlot::TD, 0x000000},
    {"Flow", SettingSlot::Flow, 0xFF8000},
    {"Power", SettingSlot::Power, 0x40FF00},
    {"Volume", SettingSlot::Volume, 0x800080},
    {"Energy", SettingSlot::Energy, 0xFF00FF},
    {"R1", SettingSlot::R1, 0xFF0000},
    {"R2", SettingSlot::R2, 0x008000},
    {"R3", SettingSlot::R3, 0x000000},
    {"RError", SettingSlot::RError, 0x0000FF},
}};

}  // namespace calorix
