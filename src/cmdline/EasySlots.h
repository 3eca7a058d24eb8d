// The twenty easy-mode lists of the Convert page ("slots"): what each one
// sets, and the list model that its drop-down shows.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace trellimux {

inline constexpr int kEasySlotCount = 20;

// Slots in the order of their controls: the first row (video), then the
// second row (audio). Slot s is the control EasyListId(s / 10, s % 10).
enum EasySlotIndex : int {
  kVideoStreamSlot = 0,
  kVideoCodecSlot,
  kTargetOrPresetSlot,  // caption "Target" or "Preset"
  kProfileSlot,
  kDarSlot,
  kSizeSlot,  // "Width/Height"
  kFpsSlot,
  kQualitySlot,
  kMaxBitrateSlot,
  kBufsizeSlot,
  kAudioStreamSlot,
  kAudioCodecSlot,
  kSpareSlot12,
  kSpareSlot13,
  kAudioBitrateSlot,
  kSampleRateSlot,
  kSpareSlot16,
  kChannelsSlot,
  kSpareSlot18,
  kSpareSlot19,
};

// The nine slots after a stream slot belong to that stream's type.
constexpr bool IsVideoSlot(int slot) { return slot > kVideoStreamSlot && slot < kAudioStreamSlot; }
constexpr bool IsAudioSlot(int slot) { return slot > kAudioStreamSlot && slot < kEasySlotCount; }

struct SlotList {
  std::vector<std::string> items;  // item 0 is the caption: "no choice"
  std::optional<int> selection;    // nullopt: nothing selected at all
  bool enabled = true;
};

using SlotLists = std::array<SlotList, kEasySlotCount>;

}  // namespace trellimux
