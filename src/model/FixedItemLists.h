// The fixed item lists of the drop-down lists, in display order. Item 0 of
// most lists is a caption that stands for "nothing chosen".
#pragma once

#include <array>
#include <string_view>

namespace trellimux {

inline constexpr std::array<std::string_view, 21> kContainerListA = {
    "Container", ".3gp", ".aac",  ".ac3", ".avi", ".dv", ".flac", ".flv", ".hevc", ".mkv", ".mp2",
    ".mp3",      ".mp4", ".mpeg", ".mpg", ".mov", ".ts", ".vob",  ".wav", ".webm", ".wmv"};

// The Convert page also offers ".wma".
inline constexpr std::array<std::string_view, 22> kContainerListB = {
    "Container", ".3gp", ".aac",  ".ac3", ".avi", ".dv", ".flac", ".flv", ".hevc", ".mkv", ".mp2",
    ".mp3",      ".mp4", ".mpeg", ".mpg", ".mov", ".ts", ".vob",  ".wav", ".webm", ".wma", ".wmv"};

inline constexpr std::array<std::string_view, 7> kStreamSelectionList = {
    "Include all Audio Streams and all Video Streams, ignore Unknown",
    "Include all Audio Streams and all Video Streams, copy Unknown",
    "Include one (default) Video Stream and one (default) Audio Stream",
    "Include all Audio Streams, no Video Streams",
    "Include all Video Streams, no Audio Streams",
    "Include one (default) Audio Stream, no Video Streams",
    "Include one (default) Video Stream, no Audio Streams"};

inline constexpr std::array<std::string_view, 2> kSubtitleList = {"Include Subtitle Streams",
                                                                  "Exclude Subtitle Streams"};

inline constexpr std::array<std::string_view, 2> kDataList = {"Include Data Streams",
                                                              "Exclude Data Streams"};

inline constexpr std::array<std::string_view, 4> kConcatModeListA = {
    "Concat Mode", "FFmpeg Demuxer", "FFmpeg File", "Windows File"};

// The Trim page can also leave the cut files unjoined.
inline constexpr std::array<std::string_view, 5> kConcatModeListB = {
    "Concat Mode", "FFmpeg Demuxer", "FFmpeg File", "Windows File", "None, cut only"};

inline constexpr std::array<std::string_view, 4> kCutModeList = {"Cut Mode", "Reencode", "Copy",
                                                                 "Smart Copy"};

// The easy-mode lists hold only this until a container fills them.
inline constexpr std::array<std::string_view, 1> kEasyModeStartList = {"None"};

}  // namespace trellimux
