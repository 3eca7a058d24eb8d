#include "app/AccessibleNames.h"

#include <array>

#include "app/ControlIds.h"
#include "cmdline/EasySlots.h"

namespace trellimux {
namespace {

struct FixedName {
  int id;
  std::string_view name;
};

// Controls without a caption of their own, or with a sign for one.
constexpr FixedName kFixedNames[] = {
    {kInformationLamp, "Information page"},
    {kConcatLamp, "Concat page"},
    {kConvertLamp, "Convert page"},
    {kTrimLamp, "Trim page"},
    {kProgressBar, "Progress"},
    {kAboutBox, "About this application"},
    {kConcatInputList, "Files to join"},
    {kConcatOutputBox, "Output file"},
    {kConcatPlayOutputButton, "Play the output file"},
    {kConcatExpertLamp, "Expert Mode lamp"},
    {kConcatStreamSelectionList, "Streams to include"},
    {kConcatSubtitleList, "Subtitle streams"},
    {kConcatDataList, "Data streams"},
    {kConcatEditLamp, "Edit lamp"},
    {kConcatCommandBox, "FFmpeg command line"},
    {kConvertInputBox, "Input file"},
    {kConvertPlayInputButton, "Play the input file"},
    {kConvertSourceTable, "Streams of the input"},
    {kConvertOutputBox, "Output file"},
    {kConvertPlayOutputButton, "Play the output file"},
    {kConvertParameterTable, "Streams of the output"},
    {kConvertStartTime, "Convert from"},
    {kConvertEndTime, "Convert to"},
    {kConvertEditLamp, "Edit lamp"},
    {kConvertExpertLamp, "Expert Mode lamp"},
    {kConvertCommandBox, "FFmpeg command line"},
    {kTrimInputBox, "Input file"},
    {kTrimPlayInputButton, "Play the input file"},
    {kTrimSourceTable, "Streams of the input"},
    {kTrimParameterTable, "Streams of the output"},
    {kTrimOutputBox, "Output file"},
    {kTrimPlayOutputButton, "Play the output file"},
    {kTrimTrackbar, "Preview time"},
    {kCutList, "Cuts"},
    {kCutClearTimesButton, "Clear the cut times"},
    {kCutInTime, "Cut start"},
    {kCutInMilliseconds, "Cut start milliseconds"},
    {kCutInSpinner, "Cut start milliseconds"},
    {kCutOutTime, "Cut end"},
    {kCutOutMilliseconds, "Cut end milliseconds"},
    {kCutOutSpinner, "Cut end milliseconds"},
    {kTrimEditLamp, "Edit lamp"},
    {kTrimExpertLamp, "Expert Mode lamp"},
    {kTrimCommandBox, "FFmpeg command line"},
};

// An easy-mode list before its container fills it, or with no choice there.
constexpr std::array<std::string_view, kEasySlotCount> kEasySlotNames = {
    "Video stream", "Video codec", "Target or preset", "Profile",         "Display aspect ratio",
    "Width/Height", "Frame rate",  "Quality",          "Maximum bitrate", "Buffer size",
    "Audio stream", "Audio codec", "Unused",           "Unused",          "Audio bitrate",
    "Sample rate",  "Unused",      "Channels",         "Unused",          "Unused"};

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::string AccessibleNameOf(const ControlEntry& control, std::string_view shownText) {
  for (const FixedName& fixed : kFixedNames)
    if (fixed.id == control.id) return std::string(fixed.name);
  if (control.id == kTrimPlaceholder) return PreviewPictureName(std::nullopt);

  if (control.kind == ControlKind::EasyModeList) {
    const std::string_view item = Trimmed(shownText);
    const bool caption = !item.empty() && item != "None" && item != "Empty";
    const int slot = EasySlotOfId(control.id);
    if (caption) return std::string(item);
    return std::string(slot < 0 ? "Easy mode choice"
                                : kEasySlotNames[static_cast<std::size_t>(slot)]);
  }
  if (control.kind == ControlKind::DropDownList) {
    const std::string_view item = Trimmed(shownText);
    if (!item.empty()) return std::string(item);
    return control.items.empty() ? std::string() : std::string(control.items.front());
  }
  // Buttons, frames and the title line: what they show.
  const std::string_view shown = Trimmed(shownText);
  return std::string(shown.empty() ? Trimmed(control.caption) : shown);
}

std::string ProgressShareText(int percent) { return std::to_string(percent) + " %"; }

std::string PreviewPictureName(std::optional<std::string_view> frameTime) {
  if (!frameTime || frameTime->empty()) return "Preview picture, none shown yet";
  return "Preview picture at " + std::string(*frameTime);
}

}  // namespace trellimux
