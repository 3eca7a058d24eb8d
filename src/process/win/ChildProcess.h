// One run of an FFmpeg tool as a hidden child: standard output and standard
// error go to one pipe that the program reads (or standard error to a
// file), and standard input comes from a pipe of the program's own,
// through which the child can be asked to stop.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "process/win/ChildStart.h"

namespace trellimux {

class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();

  // Starts `program` with the command line given apart from it. On failure
  // the result is the platform's error code (nothing stays open) and
  // FailedStep() tells which step it was; 0 means started. Standard error
  // goes into the output pipe, or into `errorsFile` when one is given: a
  // file the child writes without a round trip through Wine's server for
  // each piece, as each write to a pipe costs.
  DWORD Start(const std::string& program, const std::string& commandLine,
              HANDLE errorsFile = nullptr);
  ChildStartStep FailedStep() const { return failedStep_; }

  // Reads at most `size` bytes of the child's output; 0 once the output has
  // ended (the platform reports a broken pipe after the child is gone).
  DWORD Read(char* buffer, DWORD size);
  // Reads everything until the output ends: for a report read whole (one
  // larger than the pipe would otherwise block the child for ever).
  std::string ReadToEnd();

  // Writes `text` whole to the child's standard input, then closes it when
  // `last`: a child reading its input to the end goes on only then.
  bool WriteInput(std::string_view text, bool last);

  // The three ways of stopping, politest first; each says whether the
  // request could be delivered.
  bool AskToQuit();  // "q" and a line end on standard input, as a user at ffmpeg's console
  bool SendCtrlC();  // Ctrl-C into the child's console
  bool Terminate();  // forced: ffmpeg leaves its output unfinished

  // Waits without time limit for the child to end, then closes everything.
  // The result is the child's exit code (0 when it cannot be read).
  DWORD WaitAndClose();

  DWORD ProcessId() const { return processId_; }
  // Whether the child has ended (or never started).
  bool HasEnded() const;

 private:
  void CloseAll();

  HANDLE process_ = nullptr;
  HANDLE thread_ = nullptr;
  HANDLE output_ = nullptr;  // read end of the output pipe
  HANDLE input_ = nullptr;   // write end of the input pipe
  DWORD processId_ = 0;
  ChildStartStep failedStep_ = ChildStartStep::Process;
};

}  // namespace trellimux
