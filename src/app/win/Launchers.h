// The play buttons: a page's file is handed to the platform, which opens it
// with the application registered for its type; nothing waits for it.
#pragma once

namespace trellimux {

void PlayConcatInput();  // the selected entry of the input list
void PlayConcatOutput();
void PlayConvertInput();
void PlayConvertOutput();
void PlayTrimInput();
void PlayTrimOutput();
void PlayCut();  // the selected cut's file in the temporary folder

}  // namespace trellimux
