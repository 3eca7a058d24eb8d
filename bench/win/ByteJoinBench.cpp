// The byte-copy join's throughput: four 256 MiB files joined by the Concat
// "Windows File" job (through the runner, with the host window shown and
// its progress bar painting) against CopyFileA of one 1 GiB file and Linux
// cat of the four files, measured round by round in one run. Prints the
// medians and the throughput ratios, then what one step of the visible
// progress bar costs the job thread.
//   byte_join_bench [ROUNDS] [FOLDER]   (default 5 rounds, the temporary folder)
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "bench/win/TimedJob.h"
#include "jobs/JobKind.h"
#include "jobs/win/JobHost.h"

using namespace trellimux;
using namespace trellimux::bench;
using trellimux::test::JobHost;

namespace {

constexpr DWORD kChunk = 1 << 20;
constexpr int kPartChunks = 256;  // 256 MiB a part
constexpr int kParts = 4;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

[[noreturn]] void Quit(const std::string& what) {
  std::fprintf(stderr, "byte_join_bench: %s (error %lu)\n", what.c_str(), GetLastError());
  std::exit(1);
}

// The parts, each of its own bytes, and the whole they make.
void MakeInputs(const std::vector<std::string>& parts, const std::string& whole) {
  std::vector<char> chunk(kChunk);
  HANDLE all = CreateFileA(whole.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (all == INVALID_HANDLE_VALUE) Quit("cannot create " + whole);
  for (std::size_t part = 0; part < parts.size(); ++part) {
    HANDLE file = CreateFileA(parts[part].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) Quit("cannot create " + parts[part]);
    for (int n = 0; n < kPartChunks; ++n) {
      for (DWORD i = 0; i < kChunk; ++i) chunk[i] = static_cast<char>(i * 31 + n + part * 7);
      DWORD written = 0;
      WriteFile(file, chunk.data(), kChunk, &written, nullptr);
      WriteFile(all, chunk.data(), kChunk, &written, nullptr);
    }
    CloseHandle(file);
  }
  CloseHandle(all);
}

double TimeCopyFile(const std::string& from, const std::string& to) {
  const LARGE_INTEGER start = Now();
  if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) Quit("CopyFileA failed");
  return MillisecondsSince(start);
}

double TimeJoin(JobHost& host, const std::vector<std::string>& parts, const std::string& output) {
  JobDescription job = host.Job(kConcatByteCopyJob, "", "");
  job.inputPaths = parts;
  job.outputPath = output;
  const double elapsed = RunTimed(host, job);
  if (host.jobKind == kFailedJob) Quit("the join failed: " + host.results.errorText);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExA(output.c_str(), GetFileExInfoStandard, &data);
  const unsigned long long size =
      (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  if (size != 1ull * kParts * kPartChunks * kChunk) Quit("the join's output is not 1 GiB");
  return elapsed;
}

// Wine's own name of a Windows path on the Unix side; empty elsewhere.
std::string UnixPath(const std::string& path) {
  using UnixName = char*(CDECL*)(LPCWSTR);
  const auto toUnix = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
  if (!toUnix) return {};
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  char* unix = toUnix(wide);
  if (!unix) return {};
  std::string result(unix);
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

// Linux cat of the parts, timed by the shell around cat alone: Wine starts a
// Unix program without waiting for it, so the shell leaves its time in a
// file that appears when it is done. Negative when cat cannot be run here.
double TimeCat(const std::vector<std::string>& parts, const std::string& output,
               const std::string& timeFile) {
  std::string files;
  for (const std::string& part : parts) files += " '" + UnixPath(part) + "'";
  const std::string out = UnixPath(output), time = UnixPath(timeFile);
  if (out.empty() || time.empty()) return -1;
  DeleteFileA(timeFile.c_str());
  std::string line = "Z:\\bin\\sh -c \"s=$(date +%s%N); cat" + files + " > '" + out +
                     "'; e=$(date +%s%N); echo $(((e - s) / 1000)) > '" + time + ".part'; mv '" +
                     time + ".part' '" + time + "'\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return -1;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int waited = 0; waited < 120000; waited += 10) {
    HANDLE file = CreateFileA(timeFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      char text[32] = {};
      DWORD count = 0;
      ReadFile(file, text, sizeof text - 1, &count, nullptr);
      CloseHandle(file);
      return std::atof(text) / 1000.0;
    }
    Sleep(10);
  }
  return -1;
}

// What one position sent from another thread costs while the bar is shown.
double StepCostMs(JobHost& host) {
  ShowWindow(host.Window(), SW_SHOW);
  HWND bar = host.ProgressBar();
  constexpr int kSteps = 300;
  SendMessageA(bar, PBM_SETRANGE32, 0, kSteps);
  SendMessageA(bar, PBM_SETSTEP, 1, 0);
  SendMessageA(bar, PBM_SETPOS, 0, 0);
  double elapsed = 0;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    const LARGE_INTEGER start = Now();
    for (int i = 0; i < kSteps; ++i) SendMessageA(bar, PBM_STEPIT, 0, 0);
    elapsed = MillisecondsSince(start);
    done = true;
    PostMessageA(host.Window(), WM_NULL, 0, 0);
  });
  MSG message;
  while (!done && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  worker.join();
  return elapsed / kSteps;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  std::string folder;
  if (argc > 2) {
    folder = argv[2];
  } else {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "trellimux-join-bench";
  }
  CreateDirectoryA(folder.c_str(), nullptr);
  std::vector<std::string> parts;
  for (int part = 0; part < kParts; ++part)
    parts.push_back(folder + "\\part" + std::to_string(part));
  const std::string whole = folder + "\\whole", copied = folder + "\\copied",
                    joined = folder + "\\joined", catted = folder + "\\catted",
                    catTime = folder + "\\cat-time";
  std::printf("making 4 x 256 MiB and 1 GiB in %s\n", folder.c_str());
  MakeInputs(parts, whole);

  JobHost host;
  TimeCopyFile(whole, copied);  // the first round of each warms the caches
  TimeJoin(host, parts, joined);
  DeleteFileA(copied.c_str());
  DeleteFileA(joined.c_str());
  std::vector<double> copy, join, cat;
  // Each output is deleted at once, so that no run pays for writing back
  // the dirty pages of the one before.
  for (int round = 0; round < rounds; ++round) {
    copy.push_back(TimeCopyFile(whole, copied));
    DeleteFileA(copied.c_str());
    join.push_back(TimeJoin(host, parts, joined));
    DeleteFileA(joined.c_str());
    const double catMs = TimeCat(parts, catted, catTime);
    DeleteFileA(catted.c_str());
    if (catMs >= 0) cat.push_back(catMs);
  }
  const double copyMs = Median(copy), joinMs = Median(join);
  std::printf("medians of %d rounds: CopyFileA %.0f ms, join %.0f ms", rounds, copyMs, joinMs);
  if (!cat.empty()) std::printf(", cat %.0f ms", Median(cat));
  std::printf("\njoin throughput: %.2f of CopyFileA's (goal >= 0.9)", copyMs / joinMs);
  if (!cat.empty()) {
    std::printf(", %.2f of cat's; cat: %.2f of CopyFileA's", Median(cat) / joinMs,
                copyMs / Median(cat));
  } else {
    std::printf(" (cat could not be run)");
  }
  const double step = StepCostMs(host);
  std::printf(
      "\none step of the visible bar from the job thread: %.2f ms (a step per block: +%.0f s "
      "per GiB)\n",
      step, step * 131072 / 1000);

  for (const std::string& file : parts) DeleteFileA(file.c_str());
  for (const std::string& file : {whole, copied, joined, catted, catTime})
    DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());
  return 0;
}
