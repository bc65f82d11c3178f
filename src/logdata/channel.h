#pragma once

#include <array>
#include <string_view>

#include "core/child_settings.h"

namespace calorix::logdata {

// The fifteen measurement kinds. 0..12 are the value columns of a record in
// file order; Volume and Energy are derived from Flow and Power.
enum class Channel : int { T1, T2, T3, T4, T5, T6, TD, Flow, Power, R1, R2, R3, RError, Volume, Energy };

inline constexpr int kChannelCount = 15;
inline constexpr int kColumnCount = 13;  // value columns of a record

// Per channel and day (or month total); lower is better.
enum class ChannelState : int { HasValues = 0, ErrorOnly = 1, EmptyOnly = 2, NoColumn = 3 };

constexpr int IndexOf(Channel c) { return static_cast<int>(c); }
constexpr Channel ChannelAt(int index) { return static_cast<Channel>(index); }

constexpr bool IsOutput(Channel c) { return IndexOf(c) >= 9 && IndexOf(c) <= 12; }
constexpr bool IsSensor(Channel c) { return IndexOf(c) <= 6; }
// Flow, Power, Volume and Energy.
constexpr bool IsOtherValue(Channel c) {
  return c == Channel::Flow || c == Channel::Power || c == Channel::Volume || c == Channel::Energy;
}
constexpr bool IsTotal(Channel c) { return c == Channel::Volume || c == Channel::Energy; }
// An output's own small number 0..3 (R1..RError).
constexpr int OutputNumber(Channel c) { return IndexOf(c) % 9; }

// The channels in the order of the window's selection panel: inputs, other
// values, outputs, each group top to bottom. Legends list them so too.
inline constexpr std::array<Channel, kChannelCount> kPanelOrder = {{
    Channel::T1,
    Channel::T2,
    Channel::T3,
    Channel::T4,
    Channel::T5,
    Channel::T6,
    Channel::TD,
    Channel::Flow,
    Channel::Power,
    Channel::Volume,
    Channel::Energy,
    Channel::R1,
    Channel::R2,
    Channel::R3,
    Channel::RError,
}};
constexpr int PanelPosition(Channel c) {
  for (std::size_t i = 0; i < kPanelOrder.size(); ++i) {
    if (kPanelOrder[i] == c) return static_cast<int>(i);
  }
  return kChannelCount;
}

struct ChannelInfo {
  Channel channel;
  std::string_view headerName;  // empty for the derived channels
  int defaultNameText;          // language text of the default series name
  SettingSlot slot;             // where its label and colour sit in TChildSettings
};

// Indexed by channel.
inline constexpr std::array<ChannelInfo, kChannelCount> kChannels = {{
    {Channel::T1, "T1", 56, SettingSlot::T1},
    {Channel::T2, "T2", 57, SettingSlot::T2},
    {Channel::T3, "T3", 58, SettingSlot::T3},
    {Channel::T4, "T4", 59, SettingSlot::T4},
    {Channel::T5, "T5", 60, SettingSlot::T5},
    {Channel::T6, "T6", 61, SettingSlot::T6},
    {Channel::TD, "Tds", 62, SettingSlot::TD},
    {Channel::Flow, "V'", 63, SettingSlot::Flow},
    {Channel::Power, "P", 64, SettingSlot::Power},
    {Channel::R1, "R1", 67, SettingSlot::R1},
    {Channel::R2, "R2", 68, SettingSlot::R2},
    {Channel::R3, "R3", 69, SettingSlot::R3},
    {Channel::RError, "R!", 70, SettingSlot::RError},
    {Channel::Volume, "", 65, SettingSlot::Volume},
    {Channel::Energy, "", 66, SettingSlot::Energy},
}};

constexpr const ChannelInfo& InfoOf(Channel c) { return kChannels[static_cast<std::size_t>(IndexOf(c))]; }
constexpr int SlotOf(Channel c) { return static_cast<int>(InfoOf(c).slot); }

}  // namespace calorix::logdata
