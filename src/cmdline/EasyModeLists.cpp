#include "cmdline/EasyModeLists.h"

#include <string>
#include <vector>

#include "cmdline/ContainerPresets.h"
#include "model/FixedItemLists.h"
#include "text/AsciiText.h"

namespace trellimux {
namespace {

constexpr int kStreamColumn = 0;
constexpr int kTypeColumn = 1;

// A list whose items were replaced has nothing selected, as a refilled
// drop-down; the caller restores the selection.
void ReplaceItems(SlotList& list, unsigned& revision, const std::vector<std::string_view>& items) {
  list.items.assign(items.begin(), items.end());
  list.selection.reset();
  ++revision;
}

// Selects `index` when the list has it; otherwise item 0, and tells so.
bool SelectIfPresent(SlotList& list, int index) {
  if (index >= 0 && static_cast<std::size_t>(index) < list.items.size()) {
    list.selection = index;
    return true;
  }
  list.selection = list.items.empty() ? std::nullopt : std::optional<int>(0);
  return false;
}

// The codec chosen in the codec slot; empty while its caption is chosen.
std::string_view ChosenCodec(const SlotList& codecSlot) {
  const int index = codecSlot.selection.value_or(0);
  if (index <= 0 || static_cast<std::size_t>(index) >= codecSlot.items.size()) return {};
  return codecSlot.items[static_cast<std::size_t>(index)];
}

}  // namespace

EasyModeLists::EasyModeLists() {
  FillPresetLists(0, StreamTable{});
  RestoreSelections(0);
}

int EasyModeLists::Remembered(int slot, int container) const {
  return remembered_.at(slot).at(container);
}

void EasyModeLists::ChooseSlotItem(int slot, int index, int container) {
  remembered_.at(slot).at(container) = static_cast<std::uint8_t>(index);
  SelectIfPresent(slots_.at(slot), index);

  if (slot == kVideoCodecSlot) {
    // The codec name outlives the refreshes: they replace other slots only.
    const std::string codec(ChosenCodec(slots_[kVideoCodecSlot]));
    RefreshQualityList(container, codec);
    RefreshProfileList(container, codec);
    for (int follower : {kQualitySlot, kProfileSlot}) {
      SelectIfPresent(slots_[follower], 0);
      remembered_[follower].at(container) = 0;
    }
    RestoreSelections(container);
  } else if (slot == kTargetOrPresetSlot && index != 0 && container > 0 &&
             container < kConvertContainerCount &&
             EqualsIgnoringCase(kContainerListB[static_cast<std::size_t>(container)], ".mpg")) {
    // A target sets its own rates; explicit ones would fight it.
    for (int rate : {kMaxBitrateSlot, kBufsizeSlot}) {
      SelectIfPresent(slots_[rate], 0);
      remembered_[rate].at(container) = 0;
    }
  }
}

bool EasyModeLists::TakeBufsizeNote(int slot) {
  if (slot != kQualitySlot && slot != kMaxBitrateSlot && slot != kBufsizeSlot) return false;
  if (bufsizeNoteShown_) return false;
  bufsizeNoteShown_ = true;
  return true;
}

void EasyModeLists::ChangeContainer(int container, const StreamTable& source) {
  if (!source.Empty()) FillPresetLists(container, source);
  RestoreSelections(container);
  const std::string codec(ChosenCodec(slots_[kVideoCodecSlot]));
  RefreshQualityList(container, codec);
  RefreshProfileList(container, codec);
  RestoreSelections(container);
}

void EasyModeLists::FillPresetLists(int container, const StreamTable& source) {
  for (int slot = 0; slot < kEasySlotCount; ++slot)
    ReplaceItems(slots_[slot], revisions_[slot], ContainerPreset(container, slot));

  if (container != 0) {
    const bool offersVideo = !AudioOnlyContainer(container);
    for (std::size_t row = 0; row < source.RowCount(); ++row) {
      const std::string_view type = source.GetCell(row, kTypeColumn);
      const std::string_view stream = source.GetCell(row, kStreamColumn);
      if (offersVideo && EqualsIgnoringCase(type, "Video"))
        slots_[kVideoStreamSlot].items.emplace_back(stream);
      else if (EqualsIgnoringCase(type, "Audio"))
        slots_[kAudioStreamSlot].items.emplace_back(stream);
    }
  }
  UpdateSlotEnabling(container);
}

void EasyModeLists::RestoreSelections(int container) {
  for (int slot = 0; slot < kEasySlotCount; ++slot) {
    std::uint8_t& remembered = remembered_[slot].at(container);
    // An audio-only container shows "No Video" whatever was chosen before.
    const bool forceNoVideo = slot == kVideoStreamSlot && AudioOnlyContainer(container);
    if (!SelectIfPresent(slots_[slot], forceNoVideo ? 1 : remembered)) remembered = 0;
  }
}

void EasyModeLists::RefreshQualityList(int container, std::string_view codec) {
  const auto list =
      codec.empty() ? ContainerPreset(container, kQualitySlot) : QualityListForCodec(codec);
  if (list) ReplaceItems(slots_[kQualitySlot], revisions_[kQualitySlot], *list);
}

void EasyModeLists::RefreshProfileList(int container, std::string_view codec) {
  const auto list =
      codec.empty() ? ContainerPreset(container, kProfileSlot) : ProfileListForCodec(codec);
  if (list) ReplaceItems(slots_[kProfileSlot], revisions_[kProfileSlot], *list);
}

void EasyModeLists::UpdateSlotEnabling(int container) {
  // The two fixed items alone mean that the source offers no such stream.
  SetVideoSlotsEnabled(container == 0 || slots_[kVideoStreamSlot].items.size() > 2);
  SetAudioSlotsEnabled(container == 0 || slots_[kAudioStreamSlot].items.size() > 2);
}

void EasyModeLists::ResetStreamLists() {
  ReplaceItems(slots_[kVideoStreamSlot], revisions_[kVideoStreamSlot],
               {"Video Stream", "No Video"});
  ReplaceItems(slots_[kAudioStreamSlot], revisions_[kAudioStreamSlot],
               {"Audio Stream", "No Audio"});
  for (int slot : {kVideoStreamSlot, kAudioStreamSlot}) {
    slots_[slot].selection = 0;
    remembered_[slot].fill(0);
  }
}

void EasyModeLists::SetVideoSlotsEnabled(bool enabled) {
  for (int slot = 0; slot < kEasySlotCount; ++slot)
    if (IsVideoSlot(slot)) slots_[slot].enabled = enabled;
}

void EasyModeLists::SetAudioSlotsEnabled(bool enabled) {
  for (int slot = 0; slot < kEasySlotCount; ++slot)
    if (IsAudioSlot(slot)) slots_[slot].enabled = enabled;
}

void EasyModeLists::SetAllSlotsEnabled(bool enabled) {
  for (SlotList& list : slots_) list.enabled = enabled;
}

int EasyModeLists::SwitchMode(bool enteringExpertMode, int currentContainer) {
  if (enteringExpertMode) {
    easyContainer_ = currentContainer;
    return expertContainer_;
  }
  expertContainer_ = currentContainer;
  return easyContainer_;
}

}  // namespace trellimux
