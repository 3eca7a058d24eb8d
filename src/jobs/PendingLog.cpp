#include "jobs/PendingLog.h"

#include "jobs/LogText.h"
#include "text/Utf8Text.h"

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
  // A character split between two reads stays until its last byte came.
  auto whole = [this] { return ended_ ? text_.size() : WholeUtf8Length(text_); };
  changed_.wait_for(lock, wait, [this, &whole] { return ended_ || whole() > 0; });
  Taken taken;
  taken.text = text_.substr(0, whole());
  text_.erase(0, taken.text.size());
  taken.ended = ended_;
  return taken;
}

bool PendingLog::WaitForEnd(std::chrono::milliseconds wait) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, wait, [this] { return ended_; });
}

}  // namespace trellimux
