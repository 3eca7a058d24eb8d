#include "media/MediaChecks.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>

#include "media/ToolRunner.h"
#include "mp4/ParameterSetLine.h"
#include "trim/MovieCutSets.h"
#include "trim/TransportCopyLine.h"

namespace trellimux::test {

std::vector<std::string> PacketHashes(const std::string& file) {
  const std::string printed = RunTool(FfmpegTool::Ffprobe,
                                      " -v error -select_streams v:0 -show_entries packet=data_hash"
                                      " -show_data_hash md5 -of csv=p=0 \"" +
                                          file + "\"")
                                  .output;
  std::vector<std::string> hashes;
  for (std::size_t at = printed.find("MD5:"); at != std::string::npos;
       at = printed.find("MD5:", at + 4))
    hashes.push_back(printed.substr(at, 36));
  std::sort(hashes.begin(), hashes.end());
  return hashes;
}

TransportReader FileReader(const std::string& path) {
  auto file = std::make_shared<std::ifstream>(path, std::ios::binary);
  return [file](std::int64_t offset, std::size_t size) {
    std::string bytes(size, '\0');
    file->clear();
    file->seekg(offset);
    file->read(bytes.data(), static_cast<std::streamsize>(size));
    bytes.resize(static_cast<std::size_t>(file->gcount()));
    return bytes;
  };
}

// The largest gap in seconds between an audio stream's packets, one's end
// to the next one's start, and its largest overlap (negative gap).
AudioSeams AudioSeamsOf(const std::string& file, const std::string& stream) {
  const std::string printed =
      RunTool(FfmpegTool::Ffprobe, " -v error -select_streams " + stream +
                                       " -show_entries packet=pts_time,duration_time -of csv=p=0" +
                                       " \"" + file + "\"")
          .output;
  AudioSeams seams;
  double end = -1;
  for (std::size_t at = 0; at < printed.size();) {
    std::size_t next = printed.find('\n', at);
    if (next == std::string::npos) next = printed.size();
    const std::string line = printed.substr(at, next - at);
    const std::size_t comma = line.find(',');
    if (comma != std::string::npos) {
      const double pts = std::atof(line.c_str()), duration = std::atof(line.c_str() + comma + 1);
      if (end >= 0) {
        seams.gap = std::max(seams.gap, pts - end);
        seams.overlap = std::max(seams.overlap, end - pts);
      }
      end = pts + duration;
      if (seams.packets++ == 0) seams.first = pts;
      seams.end = end;
    }
    at = next + 1;
  }
  return seams;
}

namespace {

// A piece's whole bytes, as the job reads one.
std::optional<std::string> WholeFile(const std::string& path) {
  std::ifstream piece(path, std::ios::binary);
  if (!piece) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(piece), {});
}

}  // namespace

std::string RunTrimLine(const std::string& line) {
  if (IsParameterSetLine(line)) {
    const std::optional<ParameterSetStep> step = ParseParameterSetLine(line);
    if (!step) return "not a parameter set line: " + line;
    const std::optional<MovieBox> movie = CutMovieWithAllSets(
        FileReader(step->inputPath), WholeFile, step->pieces, FileReader(step->cutPath));
    if (!movie) return "no parameter sets added: " + line;
    std::fstream cut(step->cutPath, std::ios::binary | std::ios::in | std::ios::out);
    cut.seekp(movie->offset);
    cut.write(movie->bytes.data(), static_cast<std::streamsize>(movie->bytes.size()));
    return cut ? std::string() : "not written: " + line;
  }
  if (!IsTransportCopyLine(line)) {
    const ToolRun run = RunTool(FfmpegTool::Ffmpeg, " -nostdin -y -v error" + line);
    return run.exitCode == 0 ? std::string() : line + "\n" + run.output;
  }
  const std::optional<TransportCopyStep> step = ParseTransportCopyLine(line);
  if (!step) return "not a copy line: " + line;
  std::ofstream cut(step->outputPath, std::ios::binary | std::ios::trunc);
  const TransportCopyOutcome outcome = CopyTransportCut(
      FileReader(step->inputPath), WholeFile, step->cut, [&](std::string_view bytes) {
        return static_cast<bool>(
            cut.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
      });
  return outcome.failure == TransportCopyFailure::None
             ? std::string()
             : "copy failed (" + std::to_string(static_cast<int>(outcome.failure)) + "): " + line;
}

}  // namespace trellimux::test
