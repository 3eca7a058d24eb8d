// The easy-mode side of the Convert page: the slot lists of the chosen
// container, the choices remembered for every container, the container each
// mode last used, and the one-time Bufsize note.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "cmdline/EasySlots.h"
#include "params/StreamTable.h"

namespace trellimux {

class EasyModeLists {
 public:
  // As at window creation: every slot holds "None" with item 0 selected.
  EasyModeLists();

  const SlotLists& Slots() const { return slots_; }
  const SlotList& Slot(int slot) const { return slots_.at(slot); }
  // Counts the replacements of a slot's items, so that a view refills only
  // the lists that changed.
  unsigned Revision(int slot) const { return revisions_.at(slot); }
  int Remembered(int slot, int container) const;

  // The user chose item `index` of `slot` while `container` is chosen: the
  // choice is remembered, with the extra steps of the codec slot (its
  // Quality and Profile lists follow the codec and go back to item 0) and of
  // the Target/Preset slot (a target in ".mpg" resets MaxBitrate and Bufsize).
  void ChooseSlotItem(int slot, int index, int container);

  // True once per run, for the first choice in Quality, MaxBitrate or
  // Bufsize: the caller shows the Bufsize note before handling the choice.
  bool TakeBufsizeNote(int slot);

  // The easy-mode container change: the lists are filled (when the source
  // table has rows) and the container's remembered choices restored, with
  // the Quality and Profile lists following the chosen codec.
  void ChangeContainer(int container, const StreamTable& source);

  void FillPresetLists(int container, const StreamTable& source);
  void RestoreSelections(int container);
  void RefreshQualityList(int container, std::string_view codec);
  void RefreshProfileList(int container, std::string_view codec);
  void UpdateSlotEnabling(int container);
  void ResetStreamLists();

  // The stream slots' nine followers, or all twenty slots at a mode switch.
  void SetVideoSlotsEnabled(bool enabled);
  void SetAudioSlotsEnabled(bool enabled);
  void SetAllSlotsEnabled(bool enabled);

  // A switch of the Convert mode: keeps `currentContainer` as the container
  // of the mode being left and returns the one of the mode being entered.
  int SwitchMode(bool enteringExpertMode, int currentContainer);

 private:
  SlotLists slots_;
  std::array<unsigned, kEasySlotCount> revisions_{};
  std::array<std::array<std::uint8_t, 256>, kEasySlotCount> remembered_{};
  int easyContainer_ = 0;
  int expertContainer_ = 0;
  bool bufsizeNoteShown_ = false;
};

}  // namespace trellimux
