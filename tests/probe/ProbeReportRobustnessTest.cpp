// Any bytes at all parse without a crash or a read outside the buffer. Each
// input lies in a heap block of exactly its size, so the address sanitizer
// (native test build) catches a read one byte past the end.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "probe/ProbeReport.h"
#include "probe/ReportText.h"

namespace trellimux {
namespace {

// Parses `bytes` from an exactly sized copy and checks the result's promises.
void ParseExactly(const std::string& bytes) {
  std::unique_ptr<char[]> block(new char[bytes.size() ? bytes.size() : 1]);
  std::copy(bytes.begin(), bytes.end(), block.get());
  std::string_view report(block.get(), bytes.size());
  ProbeOutcome outcome = ParseProbeReport(report);
  if (auto* result = std::get_if<ProbeResult>(&outcome)) {
    ASSERT_NE(result->streamCount, 0);
    ASSERT_EQ(result->streams.size(), result->streamCount);
    for (const StreamInfo& stream : result->streams)
      for (std::string_view text : stream.texts)
        if (!text.empty()) {
          ASSERT_GE(text.data(), report.data());
          ASSERT_LE(text.data() + text.size(), report.data() + report.size());
        }
  }
}

std::string Seed() {
  return test::VideoStream("0", "1921", "1080") + test::AudioStream("1", "ger") +
         test::Stream({"index=2", "codec_type=subtitle", "TAG:language=eng"}) + test::Format("3");
}

TEST(ProbeReportRobustness, RandomBytesNeverBreakTheParser) {
  std::mt19937 random(20261207);
  using namespace std::string_literals;
  const std::string alphabet = "[]/=\r\n\0STREAMFORMATnb_streams0123456789-Nn/Aa\xff"s;
  for (int round = 0; round < 3000; ++round) {
    std::string bytes(random() % 400, '\0');
    for (char& byte : bytes)
      byte = (random() % 2) ? static_cast<char>(random()) : alphabet[random() % alphabet.size()];
    ParseExactly(bytes);
  }
}

TEST(ProbeReportRobustness, MutatedReportsNeverBreakTheParser) {
  std::mt19937 random(7);
  const std::string seed = Seed();
  for (int round = 0; round < 3000; ++round) {
    std::string bytes = seed;
    for (int edits = 1 + random() % 8; edits > 0 && !bytes.empty(); --edits) {
      std::size_t at = random() % bytes.size();
      switch (random() % 4) {
        case 0:
          bytes[at] = static_cast<char>(random());
          break;
        case 1:
          bytes.erase(at, 1 + random() % 16);
          break;
        case 2:
          bytes.insert(at, seed.substr(random() % seed.size(), random() % 64));
          break;
        default:
          bytes.resize(at);
          break;  // cut anywhere, also inside a key
      }
    }
    ParseExactly(bytes);
  }
}

TEST(ProbeReportRobustness, HugeLinesAndBuffersWithoutLineEnds) {
  ParseExactly(std::string(200000, 'x'));
  ParseExactly(std::string(100000, '\0'));
  ParseExactly("[STREAM]index=" + std::string(100000, '7'));
  ParseExactly(test::Stream({"TAG:language=" + std::string(70000, 'q')}) + "[FORMAT]nb_streams=1");
  std::string noBreaks = Seed();
  for (char& c : noBreaks)
    if (c == '\r' || c == '\n') c = ' ';
  ParseExactly(noBreaks);
}

}  // namespace
}  // namespace trellimux
