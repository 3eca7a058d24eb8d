// Whether an old file that a start deletes (the output the user agreed to
// replace, the Trim page's cut files) is really gone. A file that another
// program holds open, as a player or an indexer may, either refuses the
// deletion or, when it was opened with delete sharing, keeps its name until
// that program closes it. ffmpeg.exe would then find the name, ask on its
// input whether to overwrite it, and wait there for an answer nobody gives;
// so such a file is reported and no job starts.
#pragma once

#include <string>
#include <string_view>

#include "model/MessageRequest.h"

namespace trellimux {

struct OldFileFacts {
  bool heldByAnother = false;  // opening or deleting it met another program's handle
  bool deleted = false;        // the deletion was accepted
  bool nameRemains = false;    // the name is still found after the deletion
};

enum class OldFileRemoval {
  kGone,      // the way is free
  kHeldOpen,  // another program has it open: HeldFileMessage
  kFailed,    // the system's text says why
};

OldFileRemoval JudgeOldFileRemoval(const OldFileFacts& facts);

// The texts naming the file, for HeldFileMessage.
std::string HeldOutputFileText(std::string_view path);
std::string HeldTemporaryFileText(std::string_view path);

// The box with one of the texts above; the caller keeps `text` alive.
MessageRequest HeldFileMessage(std::string_view text);

}  // namespace trellimux
