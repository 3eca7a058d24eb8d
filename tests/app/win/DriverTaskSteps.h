// The steps of a task as trellimux_driver takes them for scripts: an input
// or an output chosen through its file dialog, a cut added, a job run to
// its end box. Each returns false with the reason in `failure`.
#pragma once

#include <string>

#include "app/win/ProgramDriver.h"

namespace trellimux::test {

// The input of page 1 Concat ("Add"), 2 Convert or 3 Trim ("Input"): the
// file dialog, on Concat Yes to the offer of a recording's other parts, and
// on Convert and Trim the probe up to its end box, which must say the job
// was done.
bool ChooseInputFile(ProgramDriver& program, int page, const std::string& path,
                     std::string& failure);
// The output of page 1, 2 or 3 through its save dialog.
bool ChooseOutputFile(ProgramDriver& program, int page, const std::string& path,
                      std::string& failure);
// A cut of the Trim page from two times "HH:MM:SS.mmm".
bool AddCut(ProgramDriver& program, const std::string& in, const std::string& out,
            std::string& failure);
// Presses "Start", answers Yes when asked to overwrite, waits for the box that
// ends the job (its text in `endText`), answers it and waits until the
// program is idle. Done only when the job was.
bool RunJob(ProgramDriver& program, std::string& endText, std::string& failure);

// The version record of a program file: its file version text.
bool FileVersionText(const std::string& file, std::string& version, std::string& failure);

}  // namespace trellimux::test
