#include "jobs/win/ByteCopyJoin.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "concat/ConcatCommand.h"
#include "concat/SeamNotes.h"
#include "jobs/win/JobLog.h"
#include "jobs/win/JobSteps.h"
#include "jobs/win/PartSeamReads.h"
#include "process/win/PlatformError.h"

namespace trellimux {
namespace {

constexpr DWORD kBlockSize = 8192;

// 32 blocks a read, each read written at once. Joining 4 x 256 MiB under
// Wine, side by side in the join benchmark (read and write calls alone, a
// busy machine): 64 KiB reads 410 ms, 128 KiB 370-560 ms, 256 KiB 300-330 ms,
// 512 KiB 350-2400 ms (writes of that size stall now and then). The buffer
// lies on the heap, on a page of its own.
constexpr DWORD kReadSize = 32 * kBlockSize;

// A reader of the output must never see part of a block, so blocks are
// written only into a locked byte range at the output's end; the range is
// locked 8 MiB ahead and unlocked once full (each lock call costs ~40 us
// under Wine; a lock per 8 KiB block made a 1 GiB join take 9-10 s).
constexpr DWORD kLockSize = 1024 * kBlockSize;

constexpr LONG_PTR kSmoothBarStyle = 0x50000001;  // WS_CHILD | WS_VISIBLE | PBS_SMOOTH

class File {
 public:
  explicit File(HANDLE handle) : handle_(handle) {}
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File() {
    if (IsOpen()) CloseHandle(handle_);
  }
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

// A new file, where one can be made, rather than one cut to 0 bytes: Wine
// cuts even a file it has just made when asked for CREATE_ALWAYS, and on
// ext4 a file cut to 0 bytes is written back to disk when closed (a 1 GiB
// output took 120-150 ms to close, nothing when made new). The program
// deletes an old output before the job, so this is the usual case.
HANDLE CreateOutput(const std::string& path) {
  HANDLE made = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (made != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return made;
  return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Inputs are read without sharing, as the join needs them unchanged.
HANDLE OpenInput(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

// The output as the join appends to it, inside the locked range ahead.
class AppendedOutput {
 public:
  explicit AppendedOutput(HANDLE file) : file_(file) {}
  AppendedOutput(const AppendedOutput&) = delete;
  AppendedOutput& operator=(const AppendedOutput&) = delete;
  ~AppendedOutput() { Unlock(); }

  // Appends whole blocks at the end of the output. 0, or the platform's
  // error code.
  DWORD Append(const char* bytes, DWORD size) {
    if (size == 0) return 0;
    if (!locked_ || end_.QuadPart + size > lockStart_.QuadPart + kLockSize) {
      Unlock();
      if (!LockFile(file_, end_.LowPart, static_cast<DWORD>(end_.HighPart), kLockSize, 0)) {
        return GetLastError();
      }
      locked_ = true;
      lockStart_ = end_;
    }
    DWORD written = 0;
    if (!WriteFile(file_, bytes, size, &written, nullptr)) return GetLastError();
    end_.QuadPart += written;
    return written == size ? 0 : ERROR_DISK_FULL;
  }

 private:
  // What is written shows to readers.
  void Unlock() {
    if (!locked_) return;
    UnlockFile(file_, lockStart_.LowPart, static_cast<DWORD>(lockStart_.HighPart), kLockSize, 0);
    locked_ = false;
  }

  HANDLE file_;
  // The join is the output's only writer (others may only read it), so the
  // file position is always at its end, where the last write ended: no seek
  // is needed before a write.
  LARGE_INTEGER end_{};
  bool locked_ = false;
  LARGE_INTEGER lockStart_{};
};

// The bar counts blocks, but each call to it waits for the window thread,
// and under Wine a visible bar repaints at every position it is given
// (1-3 ms a call, measured): a step per block would add minutes to a 1 GiB
// join. The position is therefore sent only when it moves the bar by a
// pixel, and at most once per 100 ms. A 1 GiB join under Wine, side by side
// (medians of 7, a busy machine): CopyFileA 0.87 s; a call per pixel 1.54 s,
// at most one per 40 ms 1.20 s, per 100 ms 1.10 s. The bar shows what
// stepping per block would show; the last block always moves it to its
// last pixel.
class BlockProgress {
 public:
  BlockProgress(HWND bar, long long blocks)
      : bar_(bar), range_(static_cast<int>(std::min<long long>(blocks, INT_MAX))) {
    RECT client{};
    GetClientRect(bar_, &client);
    width_ = std::max<long long>(client.right - client.left, 1);
    SendMessageA(bar_, PBM_SETRANGE32, 0, range_);
    SendMessageA(bar_, PBM_SETSTEP, 1, 0);
  }

  void Step() {
    if (copied_ == range_) return;
    ++copied_;
    const long long pixel = Pixel(copied_);
    if (pixel == shownPixel_) return;
    const ULONGLONG now = GetTickCount64();
    if (copied_ != range_ && now - shownAt_ < kShowIntervalMs) return;
    shownPixel_ = pixel;
    shownAt_ = now;
    Show();
  }

 private:
  static constexpr ULONGLONG kShowIntervalMs = 100;

  long long Pixel(int position) const { return position * width_ / range_; }
  void Show() { SendMessageA(bar_, PBM_SETPOS, copied_, 0); }

  HWND bar_;
  int range_;
  long long width_ = 1;
  int copied_ = 0;
  long long shownPixel_ = 0;
  ULONGLONG shownAt_ = 0;  // the first move shows at once
};

// Where input `index` is read from: its first byte unless a seam says.
long long StartOf(std::span<const std::int64_t> starts, std::size_t index) {
  return index < starts.size() ? starts[index] : 0;
}

// The sizing pass: the number of blocks the copy will write, each input
// opened as the copy opens it. 0, or the platform's error code.
DWORD CountBlocks(const std::vector<std::string>& inputs, std::span<const std::int64_t> starts,
                  long long& blocks) {
  blocks = 0;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const File input(OpenInput(inputs[i]));
    if (!input.IsOpen()) return GetLastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(input.Get(), &size)) return GetLastError();
    const long long copied = std::max(size.QuadPart - StartOf(starts, i), 0LL);
    blocks += (copied + kBlockSize - 1) / kBlockSize;
  }
  return 0;
}

// The copy pass, up to its end, a cancel request or a failure. A request
// is taken after each block: the blocks of a read up to that one are
// written, the rest dropped. 0, or the platform's error code.
DWORD CopyBlocks(const JobDescription& job, const std::vector<std::string>& inputs,
                 std::span<const std::int64_t> starts, AppendedOutput& output,
                 BlockProgress& progress) {
  // Reads into a buffer off a cache line ran a third slower.
  struct alignas(4096) ReadBuffer {
    char bytes[kReadSize];
  };
  const auto readBuffer = std::make_unique<ReadBuffer>();
  char* const buffer = readBuffer->bytes;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const File input(OpenInput(inputs[i]));
    if (!input.IsOpen()) return GetLastError();
    LARGE_INTEGER start{};
    start.QuadPart = StartOf(starts, i);
    if (start.QuadPart > 0 && !SetFilePointerEx(input.Get(), start, nullptr, FILE_BEGIN))
      return GetLastError();
    for (;;) {
      DWORD count = 0;
      if (!ReadFile(input.Get(), buffer, kReadSize, &count, nullptr)) return GetLastError();
      if (count == 0) break;
      DWORD kept = 0;
      int blocks = 0;
      bool cancelled = false;
      while (kept < count && !cancelled) {
        kept += std::min(kBlockSize, count - kept);
        ++blocks;
        cancelled = TakeCancelRequest(job);
      }
      if (const DWORD error = output.Append(buffer, kept)) return error;
      if (cancelled) return 0;
      while (blocks-- > 0) progress.Step();
    }
  }
  return 0;
}

// The join of both kinds; `note`, if any, is logged once the output exists.
// Input i is read from its byte `starts[i]` on (from its first without one).
void ByteCopyJoin(const JobDescription& job, const std::vector<std::string>& inputs,
                  std::optional<std::string_view> note, std::span<const std::int64_t> starts) {
  const File output(CreateOutput(job.outputPath));
  if (!output.IsOpen()) {
    Fail(job, PlatformErrorText(GetLastError()));
    return;
  }
  if (note) AppendJobLog(job.logWindow, std::string(*note) + "\r\n\r\n");

  long long blocks = 0;
  if (const DWORD error = CountBlocks(inputs, starts, blocks)) {
    Fail(job, PlatformErrorText(error));
    return;
  }
  BlockProgress progress(job.progressBar, blocks);

  AppendedOutput appended(output.Get());
  if (const DWORD error = CopyBlocks(job, inputs, starts, appended, progress)) {
    Fail(job, PlatformErrorText(error));
  }
}

}  // namespace

void RunConcatByteCopyJoin(const JobDescription& job) {
  ClearJobLog(job.logWindow);
  AppendJobLog(job.logWindow, kWindowsFileJoinNote);
  // MPEG-TS parts join at their seams: from each part's first packet on,
  // without the packets that repeat the end of the part before.
  const std::vector<PartSeam> seams = ReadPartSeams(job.inputPaths);
  const std::string notes = SeamNotes(seams);
  if (!notes.empty()) AppendJobLog(job.logWindow, "\r\n\r\n" + notes);
  ByteCopyJoin(job, job.inputPaths, std::nullopt, PartStarts(seams));
}

void RunTrimByteCopyJoin(const JobDescription& job, std::string_view note) {
  // The marquee's animation would otherwise go on over the filling bar.
  SendMessageA(job.progressBar, PBM_SETMARQUEE, FALSE, 0);
  SetWindowLongPtrA(job.progressBar, GWL_STYLE, kSmoothBarStyle);
  SendMessageA(job.progressBar, PBM_SETPOS, 0, 0);
  ByteCopyJoin(job, job.cutFilePaths, note, {});
}

}  // namespace trellimux
