// The job log can grow to tens of megabytes (ffmpeg prints a line for every
// damaged packet of a recording), while the log window's edit control slows
// down with every byte it holds: under Wine one insertion into 1 MB of text
// takes a tenth of a second, and a whole replacement of 1 MB most of a
// second. So the window shows the log whole only while it is small. Once it
// outgrows that, the window shows the log's last part under a line that says
// where the whole log is, and the whole log goes to a keeper (a file) from
// its first byte on.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace trellimux {

// What the window has to do to show the log after text was added.
struct ShownLogChange {
  enum class Kind { Append, Replace };
  Kind kind = Kind::Append;
  std::string text;  // appended at the end, or the window's whole new text
};

class LogTail {
 public:
  // Takes the log's text in order, from its first byte, once the log has
  // outgrown the window; false when it could not keep it.
  using Keeper = std::function<bool(std::string_view)>;

  // The window holds at most twice `shownSize` bytes of the log; beyond
  // that it starts again from the last `shownSize` bytes (from the first
  // whole line in them). So no window call meets more than twice that, and
  // a rewrite comes at most once per `shownSize` bytes of log. `keptWhere`
  // names the keeper's file in the notice.
  LogTail(std::size_t shownSize, Keeper keeper, std::string keptWhere);

  // A new log that begins with `text`, which the window was given.
  void Reset(std::string_view text);
  // Adds the next text of the log (whole characters).
  ShownLogChange Add(std::string_view text);

  // The log has outgrown the window, and the keeper has all of it.
  bool Kept() const { return outgrown_ && keptWhole_; }

 private:
  void Keep(std::string_view text);
  void StartFromLastPart(std::string_view text);

  std::size_t shownSize_;
  Keeper keeper_;
  std::string keptWhere_;
  std::string shown_;  // the log's text in the window, below any notice
  bool outgrown_ = false;
  bool keptWhole_ = true;
};

// The first line of the window, and a blank one, once the log outgrew it:
// where the whole log is and how to open it, or that it could not be kept.
std::string LogTailNotice(std::string_view keptWhere, bool kept);

}  // namespace trellimux
