// The "Progress" frame's caption while a job runs. The frame is 156 pixels
// wide and draws its caption in the bold system font from about 9 pixels in,
// which leaves some 140 pixels: kProgressCaptionFit characters of digits,
// blanks and punctuation. " Progress 42% – 3:10 left " would run past the
// frame's edge. Once a time
// left is known the word "Progress" gives way to it (" 42% – 3:10 left ");
// a job of several runs names its run instead of the percentage, which the
// bar shows anyway (" Cut 2/4 · 3:10 left "), and a caption that still does
// not fit (hours left) drops its " left". Like the designed caption, each
// has a blank at both ends to keep clear of the frame's line.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace trellimux {

// The caption as designed, shown while no job runs.
inline constexpr char kIdleProgressCaption[] = " Progress ";

// Characters (not bytes) a caption may have, its blanks included.
inline constexpr std::size_t kProgressCaptionFit = 22;

// The run of a Trim job: "Cut 2/4" for the second of four cuts (`index` is
// 0-based), "Joining" for the join.
std::string CutRunLabel(std::size_t index, std::size_t count);
// "File 3/8": the running file of a batch.
std::string FileRunLabel(std::size_t index, std::size_t count);
inline constexpr std::string_view kJoinRunLabel = "Joining";

// " Progress 42% ", then " 42% – 3:10 left " once the time left is known;
// with a run label " Cut 2/4 · 42% ", then " Cut 2/4 · 3:10 left ".
// `fraction` is the whole job's, rounded down to a percentage, so 100% means
// done.
std::string ProgressCaption(std::string_view runLabel, double fraction,
                            std::optional<std::chrono::seconds> left);

// "3:10" under an hour, "1:03:10" from an hour on.
std::string ClockText(std::chrono::seconds time);

}  // namespace trellimux
