#pragma once

#include <array>

#include "i18n/text_table.h"
#include "logdata/channel.h"

namespace calorix::ui {

// The three group boxes of the selection panel, top to bottom.
enum class ChannelGroup : int { Inputs, Others, Outputs };
inline constexpr int kChannelGroupCount = 3;
// Language texts of the group captions, by group.
inline constexpr std::array<int, kChannelGroupCount> kGroupTexts = {i18n::kTextInputs, i18n::kTextOtherValues,
                                                                    i18n::kTextOutputs};

// One check box of the selection panel with its colour patch. The default
// caption text and the settings slot come from the channel's own row
// (logdata::InfoOf).
struct ChannelBox {
  logdata::Channel channel;
  const char* name;  // of the controls: CB_<name>, Color_<name>
  ChannelGroup group;
  int row;  // 0-based within the group
};

// In the panel's order: group by group, row by row.
inline constexpr std::array<ChannelBox, logdata::kChannelCount> kChannelBoxes = {{
    {logdata::Channel::T1, "T1", ChannelGroup::Inputs, 0},
    {logdata::Channel::T2, "T2", ChannelGroup::Inputs, 1},
    {logdata::Channel::T3, "T3", ChannelGroup::Inputs, 2},
    {logdata::Channel::T4, "T4", ChannelGroup::Inputs, 3},
    {logdata::Channel::T5, "T5", ChannelGroup::Inputs, 4},
    {logdata::Channel::T6, "T6", ChannelGroup::Inputs, 5},
    {logdata::Channel::TD, "TD", ChannelGroup::Inputs, 6},
    {logdata::Channel::Flow, "Flow", ChannelGroup::Others, 0},
    {logdata::Channel::Power, "Power", ChannelGroup::Others, 1},
    {logdata::Channel::Volume, "Volume", ChannelGroup::Others, 2},
    {logdata::Channel::Energy, "Energy", ChannelGroup::Others, 3},
    {logdata::Channel::R1, "R1", ChannelGroup::Outputs, 0},
    {logdata::Channel::R2, "R2", ChannelGroup::Outputs, 1},
    {logdata::Channel::R3, "R3", ChannelGroup::Outputs, 2},
    {logdata::Channel::RError, "RError", ChannelGroup::Outputs, 3},
}};

// Legends list the channels in the panel's order.
constexpr bool BoxesFollowThePanelOrder() {
  for (std::size_t i = 0; i < kChannelBoxes.size(); ++i) {
    if (kChannelBoxes[i].channel != logdata::kPanelOrder[i]) return false;
  }
  return true;
}
static_assert(BoxesFollowThePanelOrder());

}  // namespace calorix::ui
