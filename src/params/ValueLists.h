// The predefined values the table menus offer, by what they set. Each list
// is shown after "from Source"; the easy-mode presets reuse several of them.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace trellimux {

// clang-format off

// Codecs offered by stream type.
inline constexpr std::array<std::string_view, 7> kVideoCodecs = {
    "hevc", "h264", "h263p", "h263", "mpeg2video", "mpeg4", "vp9",};
inline constexpr std::array<std::string_view, 4> kAudioCodecs = {
    "aac", "ac3", "libmp3lame", "mp2",};
inline constexpr std::array<std::string_view, 2> kSubtitleCodecs = {
    "dvb_subtitle", "dvb_teletext",};

// Profile names by codec family.
inline constexpr std::array<std::string_view, 6> kH264Profiles = {
    "Baseline", "Main", "High", "High10", "High422", "High444",};
inline constexpr std::array<std::string_view, 4> kHevcProfileNames = {
    "Main", "Main_10", "Main_Still_Picture", "Rext",};
inline constexpr std::array<std::string_view, 6> kMpeg2Profiles = {
    "422", "High", "Spatially Scalable", "SNR_Scalable", "Main", "Simple",};
inline constexpr std::array<std::string_view, 16> kMpeg4Profiles = {
    "Simple", "Simple_Scalable", "Core", "Main", "N_Bit", "Scalable_Texture",
    "Simple_face_Animation", "Basic_Animated_Texture", "Hybrid", "Advanced_Real_Time",
    "Core_Scalable", "Advanced_Coding", "Advanced_Core", "Advanced_Scalable_Texture",
    "Simple_Studio", "Advanced_Simple",};
inline constexpr std::array<std::string_view, 4> kVp9Profiles = {
    "0", "1", "2", "3",};

// Video picture and timing values.
inline constexpr std::array<std::string_view, 14> kLevels = {
    "1", "2", "3", "31", "4", "41", "42", "5", "51", "52", "6", "61", "62", "8",};
inline constexpr std::array<std::string_view, 33> kWidths = {
    "128", "176", "240", "320", "352", "400", "480", "544", "640", "704", "720", "800", "852",
    "960", "1024", "1152", "1280", "1366", "1400", "1408", "1440", "1600", "1680", "1920", "2048",
    "2560", "3200", "3840", "4000", "4096", "5120", "6400", "7680",};
inline constexpr std::array<std::string_view, 33> kHeights = {
    "96", "144", "160", "180", "240", "288", "320", "360", "400", "480", "540", "576", "600", "640",
    "720", "768", "800", "864", "900", "1024", "1050", "1080", "1152", "1200", "1440", "1536",
    "1600", "2160", "2400", "3072", "3200", "4320", "4800",};
inline constexpr std::array<std::string_view, 12> kSampleAspectRatios = {
    "155200/127953", "38800/42651", "4600/3159", "1150/1053", "64/45", "40/33", "32/27", "16/15",
    "16/11", "12/11", "10/11", "8/9",};
inline constexpr std::array<std::string_view, 8> kDisplayAspectRatios = {
    "1/1", "5/4", "4/3", "3/2", "16/10", "16/9", "21/10", "21/9",};
inline constexpr std::array<std::string_view, 23> kFrameRates = {
    "12/1", "15/1", "16/1", "18/1", "20/1", "24000/1001", "24/1", "25/1", "30000/1001", "30/1",
    "48/1", "50000/1001", "50/1", "60000/1001", "60/1", "72/1", "90/1", "100/1", "120/1", "144/1",
    "180/1", "240/1", "300/1",};
inline constexpr std::array<std::string_view, 136> kPixelFormats = {
    "0bgr", "0rgb", "abgr", "argb", "ayuv64be", "bgr0", "bgr8", "bgr24", "bgr4_byte", "bgr444be",
    "bgr444le", "bgr48be", "bgr48le", "bgr555be", "bgr555le", "bgr565be", "bgr565le", "bgra",
    "bgra64be", "bgra64le", "gbrap", "gbrap10be", "gbrap10le", "gbrap12be", "gbrap12le",
    "gbrap16be", "gbrap16le", "gbrp", "gbrp9be", "gbrp9le", "gbrp10be", "gbrp10le", "gbrp12be",
    "gbrp12le", "gbrp14be", "gbrp14le", "gbrp16be", "gbrp16le", "gray", "gray10be", "gray10le",
    "gray12be", "gray12le", "gray16be", "gray16le", "monow", "monob", "nv12", "nv21", "p010be",
    "p010le", "rgb0", "rgb8", "rgb24", "rgba32", "rgb4_byte", "rgb444be", "rgb444le", "rgb48be",
    "rgb48le", "rgb555", "rgb555be", "rgb555le", "rgb565", "rgb565be", "rgb565le", "rgba",
    "rgba64be", "rgba64le", "uyvy422", "xyz12be", "xyz12le", "ya8", "yuv410p", "yuv411p", "yuv420p",
    "yuv420p9be", "yuv420p9le", "yuv420p10be", "yuv420p10le", "yuv420p12be", "yuv420p12le",
    "yuv420p14be", "yuv420p14le", "yuv420p16be", "yuv420p16le", "yuv422", "yuv422p", "yuv422p9be",
    "yuv422p9le", "yuv422p10be", "yuv422p10le", "yuv422p12be", "yuv422p12le", "yuv422p14be",
    "yuv422p14le", "yuv422p16be", "yuv422p16le", "yuv440p", "yuv440p10be", "yuv440p10le",
    "yuv440p12be", "yuv440p12le", "yuv444p", "yuv444p9be", "yuv444p9le", "yuv444p10be",
    "yuv444p10le", "yuv444p12be", "yuv444p12le", "yuv444p14be", "yuv444p14le", "yuv444p16be",
    "yuv444p16le", "yuva420p", "yuva420p9be", "yuva420p9le", "yuva420p10be", "yuva420p16be",
    "yuva422p", "yuva422p9be", "yuva422p9le", "yuva422p10be", "yuva422p16be", "yuva444p",
    "yuva444p9be", "yuva444p9le", "yuva444p10be", "yuva444p16be", "yuvj411p", "yuvj420p",
    "yuvj422p", "yuvj440p", "yuvj444p", "yuyv422", "yvyu422",};

// Quality numbers, for -crf or -q by codec.
inline constexpr std::array<std::string_view, 31> kQualities = {
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17",
    "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31",};

// Rates: video bit rates serve both Bitrate and MaxBitrate.
inline constexpr std::array<std::string_view, 58> kVideoBitrates = {
    "200k", "400k", "600k", "800k", "1000k", "1500k", "2000k", "2500k", "3000k", "3500k", "4000k",
    "4500k", "5000k", "6000k", "7000k", "8000k", "9000k", "10000k", "12000k", "14000k", "16000k",
    "18000k", "20000k", "22000k", "24000k", "26000k", "28000k", "30000k", "32000k", "34000k",
    "36000k", "38000k", "40000k", "42000k", "44000k", "46000k", "48000k", "50000k", "55000k",
    "60000k", "65000k", "70000k", "75000k", "80000k", "85000k", "90000k", "95000k", "100M", "120M",
    "140M", "160M", "180M", "200M", "220M", "240M", "260M", "280M", "300M",};
inline constexpr std::array<std::string_view, 10> kAudioBitrates = {
    "8000", "16000", "32000", "64000", "128000", "192000", "256000", "320000", "384000", "448000",};
inline constexpr std::array<std::string_view, 58> kBufferSizes = {
    "50k", "80k", "120k", "160k", "200k", "300k", "400k", "500k", "600k", "700k", "800k", "900k",
    "1000k", "1200k", "1400k", "1600k", "1800k", "2000k", "2400k", "2800k", "3200k", "3600k",
    "4000k", "4400k", "4800k", "5200k", "5600k", "6000k", "6400k", "6800k", "7200k", "7600k",
    "8000k", "8400k", "8800k", "9200k", "9600k", "10000k", "11000k", "12000k", "13000k", "14000k",
    "15000k", "16000k", "17000k", "18000k", "19000k", "20M", "24M", "28M", "32M", "36M", "40M",
    "44M", "48M", "52M", "56M", "60M",};

// Audio values.
inline constexpr std::array<std::string_view, 9> kSampleFormats = {
    "dbl", "flt", "fltp", "s16", "s16p", "s32", "s32p", "u8", "u8p",};
inline constexpr std::array<std::string_view, 16> kSampleRates = {
    "11025", "22050", "32000", "37800", "44056", "44100", "47250", "48000", "88200", "96000",
    "176400", "192000", "352800", "448000", "2822400", "5644800",};
inline constexpr std::array<std::string_view, 12> kChannelCounts = {
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12",};
inline constexpr std::array<std::string_view, 28> kChannelLayouts = {
    "mono", "stereo", "2.1", "3.0", "3.0(back)", "4.0", "quad", "quad(side)", "3.1", "5.0",
    "5.0(side)", "4.1", "5.1", "5.1(side)", "6.0", "6.0(front)", "hexagonal", "6.1", "6.1(back)",
    "6.1(front)", "7.0", "7.0(front)", "7.1", "7.1(wide)", "7.1(wide-side)", "octagonal",
    "hexadecagonal", "downmix",};

// Language codes for audio and subtitle rows alike.
inline constexpr std::array<std::string_view, 8> kLanguages = {
    "deu", "eng", "fra", "fre", "ger", "ita", "por", "spa",};
// clang-format on

// The profile names offered for a codec (ASCII case ignored): those of
// "h264", "h265"/"hevc", "mpeg2video", "mpeg4" and "vp9"; none for any other
// codec, "h263" and "h263p" included, and for no codec.
std::span<const std::string_view> ProfileNamesForCodec(std::string_view codec);

}  // namespace trellimux
