#include "preview/DecodedFrames.h"

namespace trellimux {

void DecodedFrames::Add(std::int64_t microseconds, bool intra, const std::string& bitmap) {
  if (waitingForIntra_ && !intra) return;
  waitingForIntra_ = false;
  frames_.push_back({microseconds, run_, bitmap});
  bytes_ += bitmap.size();
  // Dropping from the front keeps every run that is left unbroken.
  while (bytes_ > budget_ && !frames_.empty()) {
    bytes_ -= frames_.front().bitmap.size();
    frames_.pop_front();
  }
}

void DecodedFrames::Clear() {
  frames_.clear();
  bytes_ = 0;
  Break();
}

const std::string* DecodedFrames::Find(std::int64_t targetUs) const {
  for (std::size_t i = 1; i < frames_.size(); ++i) {
    const Frame& before = frames_[i - 1];
    const Frame& frame = frames_[i];
    if (before.run == frame.run && before.microseconds < targetUs &&
        targetUs <= frame.microseconds) {
      return &frame.bitmap;
    }
  }
  return nullptr;
}

}  // namespace trellimux
