#include "jobs/win/RunnerTestSupport.h"

#include "app/win/WindowTestSupport.h"

namespace trellimux::test {

JobDescription RunnerWindow::Job(int kind, std::string commandText, std::string inputPath) {
  return JobHost::Job(kind, FakeToolsDirectory(), std::move(commandText), std::move(inputPath));
}

bool RunnerWindow::RunToEnd(const JobDescription& job, DWORD limit) {
  if (!StartJobThread(job)) return false;
  const bool ended = PumpUntil([this] { return DoneMessages() > 0; }, limit);
  PumpUntil([] { return false; }, 300);
  return ended;
}

std::string FakeToolsDirectory() { return ProgramFolder() + "\\fake-tools"; }

}  // namespace trellimux::test
