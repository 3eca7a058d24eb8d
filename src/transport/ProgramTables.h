// Which program of an MPEG-TS carries a stream, read from its tables: the
// program association table (PID 0) names each program's map table, which
// names its streams' PIDs (ISO/IEC 13818-1, 2.4.4.3 and 2.4.4.8). Pieces an
// encoder writes for a cut take the program's numbers, so that they join the
// packets copied from the source as one program.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "transport/TransportPackets.h"

namespace trellimux {

struct TransportProgram {
  int number = 0;          // the program (service) number
  int mapPid = 0;          // the PID of its program map table
  std::string mapSection;  // that table's section, without its CRC
};

// The program whose map table lists `pid`, from the tables in the file's
// first bytes; nothing when none does there, or a table spans packets.
std::optional<TransportProgram> FindProgramOf(const TransportReader& read, int pid);

// A cut's own tables, each one whole packet (its counter 0): the
// association table names only `program`, and the map table is
// `program`'s with only the streams on `pids`, so that a player looks
// for no stream the cut does not carry. Nothing when its `mapSection` is no
// map table.
struct ProgramTablePackets {
  std::string association;
  std::string map;
};
std::optional<ProgramTablePackets> MakeProgramTables(const TransportProgram& program,
                                                     std::span<const int> pids);

}  // namespace trellimux
