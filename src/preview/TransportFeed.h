// What the preview's fed decoder writes to ffmpeg: a transport stream file
// from its first byte on, and after each jump from a keyframe's packet on.
// A jump may also leave out the pictures shown well before the frame asked
// for that no other picture refers to (one in three to two in three of a
// broadcast's): ffmpeg then decodes fewer frames on the way there, and the
// others come out exactly as they would have.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "preview/DisposablePictures.h"
#include "transport/TransportPackets.h"

namespace trellimux {

class TransportFeed {
 public:
  using Reader = TransportReader;
  TransportFeed(Reader read, VideoCoding coding);

  struct Jump {
    std::int64_t bytePos = 0;  // a keyframe's packet
    // Disposable pictures of the keyframe's stream shown before this time
    // (the file's microseconds) are left out; nothing: none are.
    std::optional<std::int64_t> leaveOutBeforeUs;
    unsigned serial = 0;  // the caller's, to tell its pictures left out
  };
  // Goes on from the jump's packet as soon as the frame under way has been
  // fed whole: one cut short would make ffmpeg's decoder drop the
  // keyframe's first frames as out of order (measured with ffmpeg.exe 4.1).
  void JumpTo(const Jump& jump);

  // The next bytes to write, whole packets; empty at the file's end.
  std::string Next();

  struct LeftOut {
    unsigned jump = 0;                       // the serial of the last jump begun
    std::vector<std::int64_t> microseconds;  // the file's time stamps
  };
  // The pictures left out since the last call, all after the last jump
  // begun.
  LeftOut TakeLeftOut();

 private:
  // The packets of `block` that are fed, the file's from `offset`.
  std::string Fed(std::string_view block, std::int64_t offset);
  // Whether the PES packet that the packet at `offset` begins is left out.
  bool LeavesOut(std::string_view packet, std::int64_t offset);
  void Begin(const Jump& jump);

  Reader read_;
  VideoCoding coding_;
  std::int64_t at_ = 0;
  std::optional<Jump> pending_;
  int pendingPid_ = -1;  // the stream whose frame under way is fed whole
  int videoPid_ = -1;    // the keyframe's stream, from the last jump on
  std::optional<std::int64_t> leaveOutBeforeUs_;
  bool leavingOut_ = false;  // the packets of videoPid_ are left out
  LeftOut leftOut_;
};

}  // namespace trellimux
