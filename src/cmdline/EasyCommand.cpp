#include "cmdline/EasyCommand.h"

#include "cmdline/ProfileNames.h"
#include "cmdline/StreamOptions.h"

namespace trellimux {
namespace {

// What a slot shows: index 0 is its caption (no choice).
struct Pick {
  int index = 0;
  std::string_view item;
  bool Chosen() const { return index != 0; }
};

// Reads the slots in build order; the first slot without a selection (or
// with one past its items, which a drop-down cannot show) makes `failed`
// true, and the build then ends with the empty text.
class SlotReader {
 public:
  explicit SlotReader(const SlotLists& slots) : slots_(slots) {}

  Pick Read(int slot) {
    const SlotList& list = slots_[slot];
    const std::optional<int> selection = list.selection;
    if (!selection || *selection < 0 || static_cast<std::size_t>(*selection) >= list.items.size()) {
      failed = true;
      return {};
    }
    return {*selection, list.items[*selection]};
  }

  // The item of a chosen slot, else the empty text.
  std::string_view ChosenItem(int slot) {
    Pick pick = Read(slot);
    return pick.Chosen() ? pick.item : std::string_view{};
  }

  bool failed = false;

 private:
  const SlotLists& slots_;
};

// Appends `prefix` + item when the slot is chosen.
void AppendChosen(std::string& command, SlotReader& reader, int slot, std::string_view prefix) {
  Pick pick = reader.Read(slot);
  if (!pick.Chosen()) return;
  command += prefix;
  command += pick.item;
}

// Video Stream and Audio Stream: item 0 maps every stream of the type (if
// any), item 1 drops the type, a higher item is one source stream's index.
// Returns whether the type's nine slots are enabled.
bool AppendStreamChoice(std::string& command, SlotReader& reader, int slot, std::string_view all,
                        std::string_view none) {
  Pick pick = reader.Read(slot);
  if (pick.index == 0) {
    command += all;
  } else if (pick.index == 1) {
    command += none;
  } else {
    command += " -map 0:";
    command += pick.item;
  }
  return pick.index != 1;
}

// "Target" names a ready-made output standard, and a target such as pal-dvd
// also names its muxer after the first "-" (dvd); "Preset" is the encoder's.
void AppendTargetOrPreset(std::string& command, SlotReader& reader, const SlotList& list) {
  Pick pick = reader.Read(kTargetOrPresetSlot);
  if (!pick.Chosen()) return;
  const std::string_view caption = list.items.front();
  if (caption == "Target") {
    command += " -target ";
    command += pick.item;
    if (std::size_t dash = pick.item.find('-'); dash != std::string_view::npos) {
      command += " -f ";
      command += pick.item.substr(dash + 1);
    }
  } else if (caption == "Preset") {
    command += " -preset ";
    command += pick.item;
  }
}

void AppendVideoOptions(std::string& command, SlotReader& reader, const SlotLists& slots,
                        unsigned oddSizeFlag) {
  const std::string_view codec = reader.ChosenItem(kVideoCodecSlot);
  if (!codec.empty()) command += " -c:v " + std::string(codec);

  AppendTargetOrPreset(command, reader, slots[kTargetOrPresetSlot]);

  // Mapped with the chosen codec; with no codec the item goes as it stands.
  const std::string_view profile = reader.ChosenItem(kProfileSlot);
  AppendStreamOption(command, " -profile:", "v", MapProfileName(codec, profile));

  // Left on its caption, the size still has to be made even for an odd-sized
  // source: the encoders refuse odd dimensions of 4:2:0 video.
  Pick size = reader.Read(kSizeSlot);
  std::string_view sizeText = size.item;
  if (!size.Chosen()) sizeText = oddSizeFlag != 0 ? "trunc(iw/2)*2:trunc(ih/2)*2" : "";
  const std::string_view dar = reader.ChosenItem(kDarSlot);
  const std::string_view fps = reader.ChosenItem(kFpsSlot);
  AppendVideoFilters(command, sizeText, {}, dar, fps);
  if (!dar.empty()) command += " -aspect " + std::string(dar);
  if (!fps.empty()) command += " -r " + std::string(fps);

  AppendChosen(command, reader, kQualitySlot, "");  // the item holds its option
  AppendChosen(command, reader, kMaxBitrateSlot, " -maxrate ");
  AppendChosen(command, reader, kBufsizeSlot, " -bufsize ");
}

void AppendAudioOptions(std::string& command, SlotReader& reader) {
  // " -c:a <codec>", and " -joint_stereo 0" for the MP3 encoders.
  AppendCodec(command, "a", reader.ChosenItem(kAudioCodecSlot));
  AppendChosen(command, reader, kSpareSlot12, "");
  AppendChosen(command, reader, kSpareSlot13, "");
  AppendChosen(command, reader, kAudioBitrateSlot, " -b:a ");
  AppendChosen(command, reader, kSampleRateSlot, " -ar: ");
  AppendChosen(command, reader, kSpareSlot16, "");
  AppendChosen(command, reader, kChannelsSlot, " -ac: ");
  AppendChosen(command, reader, kSpareSlot18, "");
  AppendChosen(command, reader, kSpareSlot19, "");
}

}  // namespace

EasyCommand BuildEasyCommand(const EasyCommandInput& input, const SlotLists& slots) {
  EasyCommand result;
  if (input.expertMode) return result;
  result.text = std::string();
  if (input.containerIndex < 1 || input.sourceRowCount == 0) return result;

  std::string command = " -fflags genpts -i";
  AppendQuotedPath(command, input.inputPath);
  if (input.startTime) command += " -ss " + FormatTimeOfDay(*input.startTime);

  SlotReader reader(slots);
  // "0:v?" and "0:a?" map every stream of the type; ffmpeg 4.1 reads "0:a:?"
  // as the first audio stream only, dropping a second language.
  result.videoSlotsEnabled =
      AppendStreamChoice(command, reader, kVideoStreamSlot, " -map 0:v?", " -vn");
  if (reader.failed) return {std::string(), std::nullopt, std::nullopt};
  if (*result.videoSlotsEnabled) AppendVideoOptions(command, reader, slots, input.oddSizeFlag);
  if (reader.failed) return result;

  result.audioSlotsEnabled =
      AppendStreamChoice(command, reader, kAudioStreamSlot, " -map 0:a?", " -an");
  if (reader.failed) {
    result.audioSlotsEnabled.reset();
    return result;
  }
  if (*result.audioSlotsEnabled) AppendAudioOptions(command, reader);
  if (reader.failed) return result;

  if (input.endTime) command += " -to " + FormatTimeOfDay(*input.endTime);
  AppendQuotedPath(command, input.outputPath);
  result.text = std::move(command);
  return result;
}

}  // namespace trellimux
