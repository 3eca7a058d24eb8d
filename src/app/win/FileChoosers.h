// The file dialogs behind "Add", "Input" and "Output", and what each choice
// changes on its page. Each page's input dialog starts in the folder where
// that page's last one ended; the output dialog is shared by the pages.
#pragma once

namespace trellimux {

// Concat "Add": the chosen files join the input list in natural order; one
// file that is a part of a split recording offers the other parts.
void ChooseConcatInput();
// Convert and Trim "Input": the page is set up for the chosen file and its
// probe starts.
void ChooseConvertInput();
void ChooseTrimInput();

// "Output": the chosen path with the extension of the page's container
// choice goes into the output box and the page's command is rebuilt.
void ChooseConcatOutput();
void ChooseConvertOutput();
void ChooseTrimOutput();

}  // namespace trellimux
