#include "cmdline/EncoderFacts.h"

#include <array>

#include "text/AsciiText.h"

namespace trellimux {
namespace {

// Facts as listed by "ffmpeg -h encoder=NAME", the same in the program's
// ffmpeg.exe 4.1 and in ffmpeg 5.1 (4.1 lists two unnamed 5-channel layouts
// more for ac3/eac3, which no probe report names).
// clang-format off
constexpr std::string_view kMp2[] = {"mp2", "mp2fixed"};
constexpr std::string_view kS16[] = {"s16"};
constexpr std::string_view kMonoStereo[] = {"mono", "stereo"};

constexpr std::string_view kAc3[] = {"ac3", "ac3_fixed"};
constexpr std::string_view kEac3[] = {"eac3"};
constexpr std::string_view kFltp[] = {"fltp"};
constexpr std::string_view kUpTo51[] = {
    "mono", "stereo", "3.0(back)", "3.0", "quad(side)", "quad", "4.0", "5.0(side)", "5.0",
    "2.1", "3.1", "4.1", "5.1(side)", "5.1"};

constexpr std::string_view kAac[] = {"aac"};
constexpr std::string_view kVorbis[] = {"libvorbis"};
constexpr std::string_view kFlac[] = {"flac"};
constexpr std::string_view kS16S32[] = {"s16", "s32"};
constexpr std::string_view kPcm24And32[] = {"pcm_s24le", "pcm_s24be", "pcm_s32le", "pcm_s32be"};
constexpr std::string_view kS32[] = {"s32"};
constexpr std::string_view kPcm16[] = {"pcm_s16le", "pcm_s16be"};
constexpr std::string_view kMp3[] = {"libmp3lame", "mp3"};
constexpr std::string_view kMp3Formats[] = {"s32p", "fltp", "s16p"};
constexpr std::string_view kOpus[] = {"libopus"};
constexpr std::string_view kS16Flt[] = {"s16", "flt"};
constexpr std::string_view kAlac[] = {"alac"};
constexpr std::string_view kS32pS16p[] = {"s32p", "s16p"};
constexpr std::string_view kAlacLayouts[] = {
    "mono", "stereo", "3.0", "4.0", "5.0", "5.1", "6.1(back)", "7.1(wide)"};

constexpr std::array<AudioEncoderFacts, 11> kAudioEncoders = {{
    {kMp2, kS16, kMonoStereo, 2},          // ffmpeg -h encoder=mp2
    {kAc3, kFltp, kUpTo51, 6},             // ffmpeg -h encoder=ac3
    {kEac3, kFltp, kUpTo51, 6},            // ffmpeg -h encoder=eac3
    {kAac, kFltp, {}, 0},                  // ffmpeg -h encoder=aac
    {kVorbis, kFltp, {}, 0},               // ffmpeg -h encoder=libvorbis
    {kFlac, kS16S32, {}, 0},               // ffmpeg -h encoder=flac
    {kPcm24And32, kS32, {}, 0},            // ffmpeg -h encoder=pcm_s24le
    {kPcm16, kS16, {}, 0},                 // ffmpeg -h encoder=pcm_s16le
    {kMp3, kMp3Formats, kMonoStereo, 2},   // ffmpeg -h encoder=libmp3lame
    {kOpus, kS16Flt, {}, 0},               // ffmpeg -h encoder=libopus
    {kAlac, kS32pS16p, kAlacLayouts, 8},   // ffmpeg -h encoder=alac
}};

struct CodecTranslation {
  std::string_view decoded;  // the codec name ffprobe reports
  std::string_view written;  // what the command writes instead
};

constexpr std::array<CodecTranslation, 14> kTranslations = {{
    // "ffmpeg -h encoder=vorbis" / "=opus": "experimental"; the library
    // encoders are not.
    {"vorbis", "libvorbis"},
    {"opus", "libopus"},
    // "ffmpeg -encoders" lists no aac_latm encoder; LATM is only how the TS
    // carries AAC, which the aac encoder makes.
    {"aac_latm", "aac"},
    // Only an experimental encoder ("ffmpeg -h encoder=dca", "=truehd",
    // "=mlp", "=s302m": capabilities "exp"): passed through.
    {"dts", "copy"},
    {"truehd", "copy"},
    {"mlp", "copy"},
    {"s302m", "copy"},
    // No encoder at all in "ffmpeg -encoders" (4.1 and 5.1; pcm_bluray has one
    // from 5.1 on, not in the program's 4.1): passed through.
    {"dvb_teletext", "copy"},
    {"hdmv_pgs_subtitle", "copy"},
    {"eia_608", "copy"},
    {"pcm_bluray", "copy"},
    {"vc1", "copy"},
    {"wmv3", "copy"},
    {"wmapro", "copy"},
}};

// "ffmpeg -h encoder=mjpeg" / "=png" / ... list no profiles; ffprobe still
// prints cover art's "Baseline" and level -99, which they refuse.
constexpr std::string_view kWithoutProfiles[] = {"mjpeg", "png", "bmp", "gif", "tiff", "webp"};
// clang-format on

bool Listed(std::span<const std::string_view> names, std::string_view name) {
  for (std::string_view listed : names)
    if (EqualsIgnoringCase(listed, name)) return true;
  return false;
}

}  // namespace

const AudioEncoderFacts* FindAudioEncoder(std::string_view codec) {
  for (const AudioEncoderFacts& facts : kAudioEncoders)
    if (Listed(facts.codecs, codec)) return &facts;
  return nullptr;
}

std::string_view WorkingEncoder(std::string_view codec) {
  for (const CodecTranslation& translation : kTranslations)
    if (EqualsIgnoringCase(translation.decoded, codec)) return translation.written;
  return codec;
}

bool CodecWithoutProfiles(std::string_view codec) { return Listed(kWithoutProfiles, codec); }

}  // namespace trellimux
