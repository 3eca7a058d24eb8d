// What ffmpeg's encoders take, as ffmpeg itself lists it. ffprobe describes
// what the decoder sees; these facts decide which of those values an encoder
// accepts as a setting.
#pragma once

#include <span>
#include <string_view>

namespace trellimux {

// The audio settings an encoder lists under "ffmpeg -h encoder=NAME". An
// empty list means ffmpeg lists none: any value is handed on.
struct AudioEncoderFacts {
  std::span<const std::string_view> codecs;          // names that select it
  std::span<const std::string_view> sampleFormats;   // "Supported sample formats"
  std::span<const std::string_view> channelLayouts;  // "Supported channel layouts"
  int maxChannels;                                   // of those layouts; 0: no limit listed
};

// The facts of the encoder `codec` selects, matched ignoring ASCII case, or
// nullptr for an encoder not listed.
const AudioEncoderFacts* FindAudioEncoder(std::string_view codec);

// What a codec ffmpeg decodes but cannot encode under that name is written
// as: its working encoder ("libvorbis" for "vorbis"), or "copy" for streams
// that can only be passed through. Other codecs come back unchanged.
std::string_view WorkingEncoder(std::string_view codec);

// Picture codecs that have neither profiles nor levels (cover art).
bool CodecWithoutProfiles(std::string_view codec);

}  // namespace trellimux
