// What choosing an output container on the Concat page presets: the entries
// of the stream-selection, subtitle, data and concat-mode lists.
#pragma once

namespace trellimux {

struct ConcatDefaults {
  int streamSelection;  // entry of the stream-selection list, 0-6
  int subtitles;        // 0 include, 1 exclude
  int data;             // 0 include, 1 exclude
  int concatMode;       // 1 "FFmpeg Demuxer", 2 "FFmpeg File"
};

// The row of a container list A entry (0-20); entries outside give row 0.
ConcatDefaults ContainerDefaults(int container);

}  // namespace trellimux
