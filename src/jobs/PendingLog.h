// Log text read from a child but not yet shown. The reading thread adds to it
// without ever waiting for the window, so a busy window cannot make a chatty
// child wait on a full pipe; the job thread takes everything gathered since
// its last turn and hands it to the window in one piece.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>

namespace trellimux {

class PendingLog {
 public:
  struct Taken {
    std::string text;    // converted log text, in the order it was read
    bool ended = false;  // the reader has finished; nothing more will come
  };

  // Converts the child's bytes to log text and adds them.
  void Add(std::string_view bytes);
  // The reader has seen the end of the output.
  void End();

  // Waits until text is pending, the reader ended or `wait` passed, then
  // takes what is pending; an unfinished UTF-8 character at its end waits
  // for its remaining bytes unless the reader has ended.
  Taken Take(std::chrono::milliseconds wait);
  // Waits until the reader ended or `wait` passed, however much text comes
  // meanwhile; true if it ended.
  bool WaitForEnd(std::chrono::milliseconds wait);

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::string text_;
  bool ended_ = false;
};

}  // namespace trellimux
