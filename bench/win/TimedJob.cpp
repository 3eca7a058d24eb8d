#include "bench/win/TimedJob.h"

#include <atomic>
#include <thread>

namespace trellimux::bench {

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

double MillisecondsSince(LARGE_INTEGER start) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(Now().QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

double RunTimed(test::JobHost& host, const JobDescription& job, double* worstAnswerMs) {
  // Shown as the program shows them while a job runs.
  ShowWindow(host.Window(), SW_SHOW);
  ShowWindow(job.logWindow, SW_SHOW);
  const int doneBefore = host.DoneMessages();
  std::atomic<bool> running{true};
  std::atomic<double> worst{0.0};
  std::atomic<bool> watcherDone{false};
  std::thread watcher([&host, &running, &worst, &watcherDone] {
    while (running) {
      const LARGE_INTEGER sent = Now();
      DWORD_PTR result = 0;
      SendMessageTimeoutA(host.Window(), WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
      const double answer = MillisecondsSince(sent);
      if (answer > worst) worst = answer;
      Sleep(10);
    }
    watcherDone = true;
  });

  const LARGE_INTEGER start = Now();
  StartJobThread(job);
  MSG message;
  while (host.DoneMessages() == doneBefore && GetMessageA(&message, nullptr, 0, 0) > 0) {
    DispatchMessageA(&message);
  }
  const double elapsed = MillisecondsSince(start);
  running = false;
  // A ping sent just now is answered here, not left to time out unanswered.
  while (!watcherDone) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(1);
  }
  watcher.join();
  if (worstAnswerMs) *worstAnswerMs = worst;
  return elapsed;
}

}  // namespace trellimux::bench
