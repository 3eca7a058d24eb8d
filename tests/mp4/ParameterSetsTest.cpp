#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mp4/ParameterSetLine.h"
#include "mp4/ParameterSets.h"
#include "preview/KeyPictures.h"
#include "transport/TransportStreamBuilder.h"
#include "trim/MovieCutSets.h"

namespace trellimux {
namespace {

using test::PesHeaderWithPts;
using test::PesPackets;

std::string Size32(std::size_t size) {
  return {static_cast<char>(size >> 24 & 0xff), static_cast<char>(size >> 16 & 0xff),
          static_cast<char>(size >> 8 & 0xff), static_cast<char>(size & 0xff)};
}

std::string Box(const std::string& type, const std::string& content) {
  return Size32(8 + content.size()) + type + content;
}

// An avcC with one SPS and one PPS (lengths of 4 bytes before each unit).
std::string Configuration(const std::string& sps, const std::string& pps) {
  return std::string("\x01\x64\x00\x1e\xff\xe1", 6) + Size32(sps.size()).substr(2) + sps +
         std::string(1, '\x01') + Size32(pps.size()).substr(2) + pps;
}

// A movie box as ffmpeg writes one: a header box, then a track down to its
// avc1 entry, whose avcC comes before another box.
std::string Movie(const std::string& configuration) {
  const std::string entry =
      Box("avc1", std::string(78, '\0') + Box("avcC", configuration) + Box("pasp", "11112222"));
  const std::string stsd = Box("stsd", std::string("\0\0\0\0\0\0\0\1", 8) + entry);
  return Box("moov",
             Box("mvhd", "header") +
                 Box("trak", Box("tkhd", "t") +
                                 Box("mdia", Box("minf", Box("stbl", stsd + Box("stts", ""))))));
}

const std::string kSourceSps("\x67\x64\x00\x1e\xac", 5), kSourcePps("\x68\xeb\xe3", 3);
const std::string kOwnSps("\x67\x64\x00\x1e\x4b\x36", 6), kOwnPps("\x68\x4a\xf8", 3);

// The cut's sample description lists its own sets and then the source's
// and the pieces', each once; every box around it grows with it, so the
// movie still reads as one; a file whose movie box is not its last, or
// that has no avc1 entry, is refused.
TEST(ParameterSets, TheCutsSampleDescriptionGetsTheSourcesSetsToo) {
  const std::string movie = Movie(Configuration(kOwnSps, kOwnPps));
  const std::optional<std::string> grown =
      WithParameterSetsAdded(movie, {{kSourceSps, kOwnSps}, {kSourcePps}});
  ASSERT_TRUE(grown);
  EXPECT_EQ(grown->size(), movie.size() + 2 + kSourceSps.size() + 2 + kSourcePps.size());
  const std::optional<std::string> configuration = FindAvcConfiguration(*grown);
  ASSERT_TRUE(configuration) << "the sizes around it no longer add up";
  const std::optional<ParameterSets> sets = ConfigurationSets(*configuration);
  ASSERT_TRUE(sets);
  EXPECT_EQ(sets->sequence, (std::vector<std::string>{kOwnSps, kSourceSps}));
  EXPECT_EQ(sets->picture, (std::vector<std::string>{kOwnPps, kSourcePps}));
  EXPECT_EQ(grown->substr(grown->size() - 24), movie.substr(movie.size() - 24))
      << "the boxes after it unchanged";
  EXPECT_FALSE(WithParameterSetsAdded(Box("moov", Box("mvhd", "header")), {}));

  // Whole files: the source's sets from its movie box wherever it lies;
  // the cut's movie box must be last.
  const std::string source =
      Box("ftyp", "isom") + Movie(Configuration(kSourceSps, kSourcePps)) + Box("mdat", "data");
  const std::string cut = Box("ftyp", "isom") + Box("mdat", "data") + movie;
  auto reader = [](const std::string& file) -> FileBytesReader {
    return [&file](std::int64_t offset, std::size_t size) {
      return offset >= static_cast<std::int64_t>(file.size())
                 ? std::string()
                 : file.substr(static_cast<std::size_t>(offset), size);
    };
  };
  const std::string sourceSets = *MovieAvcConfiguration(reader(source));
  const std::optional<MovieBox> written = CutMovieWithSourceSets(sourceSets, {}, reader(cut));
  ASSERT_TRUE(written);
  EXPECT_EQ(written->offset, static_cast<std::int64_t>(cut.size() - movie.size()));
  EXPECT_EQ(ConfigurationSets(*FindAvcConfiguration(written->bytes))->sequence.size(), 2u);
  const std::string notLast = Box("ftyp", "isom") + movie + Box("mdat", "data");
  EXPECT_FALSE(CutMovieWithSourceSets(sourceSets, {}, reader(notLast)));
}

// The sets of an encoded piece: from the units of its PES packets, also
// when a unit spans packets; each once.
TEST(ParameterSets, APiecesSetsAreReadFromItsUnits) {
  const std::string units = std::string("\0\0\0\1\x09\xf0", 6) + std::string("\0\0\0\1", 4) +
                            kOwnSps + std::string("\0\0\1", 3) + kOwnPps +
                            std::string("\0\0\1\x65", 4) + std::string(400, '\x80');
  std::string stream;
  for (int picture = 0; picture < 2; ++picture)
    for (const std::string& packet : PesPackets(0x100, PesHeaderWithPts(3600) + units))
      stream += packet;
  const ParameterSets sets = PieceParameterSets(stream);
  EXPECT_EQ(sets.sequence, std::vector<std::string>{kOwnSps});
  EXPECT_EQ(sets.picture, std::vector<std::string>{kOwnPps});

  // A sample's units with their lengths read as an elementary stream: an
  // IDR picture after an SEI begins a copy.
  const std::string sample = Size32(3) + std::string("\x06\x05\x01", 3) + Size32(6) +
                             std::string("\x65\x88\x84\x00\x10\x20", 6);
  EXPECT_EQ(AnnexBUnits(sample, 4),
            std::string("\0\0\0\1\x06\x05\x01\0\0\0\1\x65\x88\x84\x00\x10\x20", 17));
  EXPECT_TRUE(BeginsCopy(AnnexBUnits(sample, 4), VideoCoding::H264));
  EXPECT_EQ(NalLengthBytes(std::string("\x01\x64\x00\x1e\xfd", 5)), 2u);
}

TEST(ParameterSets, ItsLineReadsBackAsTheStep) {
  const ParameterSetStep step{
      "D:\\Film.mp4", {"D:\\T\\temp0-head.ts", "D:\\T\\temp0-end.ts"}, "D:\\T\\temp0.mp4"};
  const std::string line = ParameterSetLine(step);
  EXPECT_EQ(line,
            " Add the parameter sets of \"D:\\Film.mp4\" \"D:\\T\\temp0-head.ts\""
            " \"D:\\T\\temp0-end.ts\" to \"D:\\T\\temp0.mp4\"");
  const std::optional<ParameterSetStep> read = ParseParameterSetLine(line);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->inputPath, step.inputPath);
  EXPECT_EQ(read->pieces, step.pieces);
  EXPECT_EQ(read->cutPath, step.cutPath);
  EXPECT_TRUE(IsParameterSetLine(line));
  for (const std::string& edited : {line + " -y", line.substr(0, line.size() - 1),
                                    std::string(" Add the parameter sets of \"D:\\a.mp4\"")})
    EXPECT_FALSE(ParseParameterSetLine(edited)) << edited;
}

}  // namespace
}  // namespace trellimux
