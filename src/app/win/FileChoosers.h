// The file dialogs behind "Add", "Input" and "Output", and what each choice
// changes on its page. Each page's input dialog starts in the folder where
// that page's last one ended; the output dialog is shared by the pages.
#pragma once

namespace trellimux {

// Concat "Add": the chosen file joins the input list.
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
