// A stand-in for ffmpeg.exe and ffprobe.exe in the runner tests: it writes
// output patterns, sleeps, waits for "q", ignores every request to stop,
// writes a file or fails with an exit code, as its first argument says. As a
// prober (an argument "-show_streams") it looks at the input's name instead.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "jobs/win/DamagedRecordingLog.h"

namespace {

void Write(std::string_view text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written,
            nullptr);
}

// Lines of 62 characters and CR LF, `bytes` in all (rounded up to a line).
void WriteBulk(long long bytes) {
  std::string block;
  for (int line = 0; line < 1024; ++line) block += std::string(62, 'a' + line % 26) + "\r\n";
  for (long long done = 0; done < bytes; done += static_cast<long long>(block.size())) {
    const long long left = bytes - done;
    Write(std::string_view(block).substr(0, left < static_cast<long long>(block.size())
                                                ? static_cast<std::size_t>(left)
                                                : block.size()));
  }
}

// ffmpeg's messages about a damaged recording, `bytes` in all (rounded up
// to a line), written as fast as the pipe takes them; with `timed` a last
// line tells how long that took, from the program's start.
void WriteDamagedRecordingLog(long long bytes, bool timed) {
  LARGE_INTEGER start, end, frequency;
  QueryPerformanceCounter(&start);
  std::string block;
  long long written = 0;
  for (long long line = 0; written < bytes; ++line) {
    const std::string text = trellimux::test::DamagedRecordingLine(line);
    block += text;
    written += static_cast<long long>(text.size());
    if (block.size() >= 64 * 1024 || written >= bytes) {
      Write(block);
      block.clear();
    }
  }
  if (!timed) return;
  QueryPerformanceCounter(&end);
  QueryPerformanceFrequency(&frequency);
  const long long ms = (end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart;
  Write("fake ffmpeg wrote " + std::to_string(written) + " bytes in " + std::to_string(ms) +
        " ms\r\n");
}

// Reads standard input until a "q" comes; false when the input ends first.
bool WaitForQuit() {
  char byte = 0;
  DWORD count = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &count, nullptr) && count == 1) {
    if (byte == 'q') return true;
  }
  return false;
}

volatile LONG ctrlCSeen = 0;

BOOL WINAPI NoteCtrlC(DWORD event) {
  if (event != CTRL_C_EVENT) return FALSE;
  ctrlCSeen = 1;
  return TRUE;
}

// ffmpeg interrupted while it finishes its output (a second signal) stops
// writing at once and leaves the file cut short.
BOOL WINAPI AbortOnCtrlC(DWORD event) {
  if (event != CTRL_C_EVENT) return FALSE;
  ExitProcess(255);
}

void WriteTo(HANDLE file, std::string_view text) {
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  FlushFileBuffers(file);
}

// Reads one line of standard input; its first byte, 0 when the input ended.
char ReadAnswer() {
  char first = 0, byte = 0;
  DWORD count = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &count, nullptr) && count == 1) {
    if (!first) first = byte;
    if (byte == '\n') break;
  }
  return first;
}

int Probe(std::string_view input) {
  // Nothing printed: as ffprobe -v quiet on a file it cannot read, or ending
  // well without a word.
  if (input.find("silent") != std::string_view::npos) return 1;
  if (input.find("empty") != std::string_view::npos) return 0;
  // A report larger than the pipe: many stream sections, then the format.
  const int streams = input.find("large") != std::string_view::npos ? 400 : 2;
  std::string report;
  for (int stream = 0; stream < streams; ++stream) {
    report += "[STREAM]\r\nindex=" + std::to_string(stream) +
              "\r\ncodec_name=mp2\r\ncodec_type=audio\r\nTAG:language=ger\r\n" +
              std::string(150, '#') + "\r\n[/STREAM]\r\n";
  }
  report += "[FORMAT]\r\nnb_streams=" + std::to_string(streams % 256) + "\r\n[/FORMAT]\r\n";
  Write(report);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "-show_streams" && i + 1 < argc) return Probe(argv[i + 1]);
  }
  const std::string_view mode = argc > 1 ? argv[1] : "";
  if (mode == "arguments") {  // each argument on a line of its own
    for (int i = 2; i < argc; ++i) Write(std::string("<") + argv[i] + ">\r\n");
  } else if (mode == "split-crlf") {  // a CR LF pair across two reads
    Write("first\r");
    Sleep(300);
    Write("\nsecond\r\n");
  } else if (mode == "status") {  // a redrawn status line, then bare LFs
    Write("frame=1\rframe=2\rframe=3\r\nbare\nline\n");
  } else if (mode == "bulk") {
    WriteBulk(std::atoll(argv[2]));
  } else if (mode == "damaged" && argc > 2) {  // BYTES [timed]
    WriteDamagedRecordingLog(std::atoll(argv[2]), argc > 3);
  } else if (mode == "silent") {
    Sleep(std::atoi(argv[2]));
  } else if (mode == "wait-for-quit") {  // as ffmpeg: stops at "q" [with exit CODE]
    Write("waiting\r\n");
    if (!WaitForQuit()) return 2;
    Write("quit by request\r\n");
    if (argc > 2) return std::atoi(argv[2]);
  } else if (mode == "fail" && argc > 3) {  // as ffmpeg refusing a command: CODE REASON
    Write(std::string("Press [q] to stop, [?] for help\r\n") + argv[3] +
          "\r\nConversion failed!\r\n");
    return std::atoi(argv[2]);
  } else if (mode == "wait-for-ctrl-c") {  // as ffmpeg with -nostdin
    SetConsoleCtrlHandler(&NoteCtrlC, TRUE);
    Write("no input read\r\n");
    while (!ctrlCSeen) Sleep(10);
    Write("stopped by Ctrl-C\r\n");
  } else if (mode == "write-file" && argc > 3) {  // as a cut: PATH TEXT
    HANDLE file = CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    WriteFile(file, argv[3], static_cast<DWORD>(std::string_view(argv[3]).size()), &written,
              nullptr);
    CloseHandle(file);
    Write(std::string("wrote ") + argv[3] + "\r\n");
  } else if (mode == "finish-after-quit" && argc > 3) {  // as ffmpeg closing a file: PATH MS
    // "begin " at "q", "end" MS later: a file without "end" was cut short.
    SetConsoleCtrlHandler(&AbortOnCtrlC, TRUE);
    Write("waiting\r\n");
    if (!WaitForQuit()) return 2;
    HANDLE file = CreateFileA(argv[2], GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    WriteTo(file, "begin ");
    Write("finishing\r\n");
    Sleep(std::atoi(argv[3]));
    WriteTo(file, "end");
    CloseHandle(file);
    Write("finished\r\n");
  } else if (mode == "ask-overwrite") {  // as ffmpeg without -y on an existing output
    Write("File 'out.mkv' already exists. Overwrite? [y/N] ");
    if (ReadAnswer() != 'y') {
      Write("Not overwriting - exiting\r\n");
      return 1;
    }
    Write("overwriting\r\n");
  } else if (mode == "status-lines" && argc > 2) {  // as ffmpeg at work: LINES, 0.5 s of media
    // each, 100 ms apart, redrawn after a bare CR as ffmpeg does
    const int lines = std::atoi(argv[2]);
    for (int line = 1; line <= lines; ++line) {
      char status[160];
      const int centiseconds = line * 50;
      wsprintfA(status, "frame=%5d fps= 25 q=2.0 size=     %4dkB time=00:%02d:%02d.%02d bitrate= 800.0kbits/s speed=   1x    \r",
                line * 12, line * 50, centiseconds / 6000, centiseconds / 100 % 60, centiseconds % 100);
      Write(status);
      Sleep(100);
    }
    Write("\r\nvideo:100kB audio:10kB muxing overhead: 1.0%\r\n");
  } else if (mode == "stubborn") {  // ignores "q" and Ctrl-C
    SetConsoleCtrlHandler(nullptr, TRUE);
    Write("stubborn\r\n");
    for (;;) Sleep(1000);
  }
  return 0;
}
