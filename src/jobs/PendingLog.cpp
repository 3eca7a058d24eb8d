#include "jobs/PendingLog.h"

#include "jobs/LogText.h"

namespace trellimux {

void PendingLog::Add(std::string_view bytes) {
  {
    std::lock_guard lock(mutex_);
    AppendLogText(text_, bytes);
  }
  changed_.notify_one();
}

void PendingLog::End() {
  {
    std::lock_guard lock(mutex_);
    ended_ = true;
  }
  changed_.notify_one();
}

PendingLog::Taken PendingLog::Take(std::chrono::milliseconds wait) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, wait, [this] { return ended_ || !text_.empty(); });
  Taken taken;
  taken.text.swap(text_);
  taken.ended = ended_;
  return taken;
}

}  // namespace trellimux
