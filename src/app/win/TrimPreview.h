// The Trim page's preview: the picture of the input at the slider's time in
// the placeholder's place, the slider over the input's duration, and the
// two ways to take the picture's time into the cut fields (the keys I and O
// on the slider, a right-click on the picture).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace trellimux {

// At window creation, after the controls: the picture and the slider learn
// their new behaviour.
void InstallTrimPreview();

// A new input is chosen: no picture, the explaining text, the slider off.
void ResetTrimPreview();

// The input's probe is done: for an input with video the slider spans its
// duration and the first frame is made.
void StartTrimPreview(std::string_view report, const std::string& inputPath);

// A job starts, or the user leaves the Trim page: no frame is made, no
// keyframe listed and no frame child keeps the input open until the
// slider moves again.
void PauseTrimPreview();

// The slider's WM_HSCROLL, and the cut mode changed: the frame for the
// slider's position (in Copy mode, the keyframe at or before it) is ordered;
// a change of mode also changes the slider's marks.
void OnTrimSlider();
void RefreshTrimPreview();

// The frame maker's message: the newest frame is shown.
void OnPreviewFrame(WPARAM serial);
// Its message that more keyframes were listed: the slider marks them.
void OnPreviewKeyframes();

// At teardown: any frame child is ended.
void StopTrimPreview();

// The time text of the frame the picture shows, or nullopt before one is.
std::optional<std::string> ShownPreviewTime();

}  // namespace trellimux
