#include <gtest/gtest.h>

#include "jobs/FailureText.h"

namespace trellimux {
namespace {

// The ends of real outputs of failed runs and the lines that state the cause.
TEST(FailureText, CauseLinesOfRealOutputs) {
  struct Case {
    const char* what;
    std::string output;
    std::vector<std::string> causes;
  };
  const std::string encoderError =
      "Error initializing output stream 0:1 -- Error while opening encoder for output stream "
      "#0:1 - maybe incorrect parameters such as bit_rate, rate, width or height";
  const Case cases[] = {
      {"ffmpeg.exe 4.1, -sample_fmt:a:0 fltp for mp2",
       "Stream mapping:\r\n  Stream #0:1 -> #0:1 (mp2 (native) -> mp2 (native))\r\n"
       "Press [q] to stop, [?] for help\r\n"
       "[mp2 @ 0000000000ce8640] Specified sample format fltp is invalid or not supported\r\n" +
           encoderError + "\r\nConversion failed!\r\n",
       {"mp2: Specified sample format fltp is invalid or not supported", encoderError}},
      {"ffmpeg.exe 4.1, -c:v:0 dvb_teletext",
       "    Stream #0:1[0x101]: Audio: mp2 ([3][0][0][0] / 0x0003), 44100 Hz, mono, fltp\r\n"
       "Unknown encoder 'dvb_teletext'\r\n",
       {"Unknown encoder 'dvb_teletext'"}},
      {"ffmpeg 5.1, a profile with blanks",
       "  Stream #0:1[0x101]: Audio: mp2, 44100 Hz, mono, fltp, 384 kb/s\n"
       "[NULL @ 0x55f1f1332680] Unable to find a suitable output format for '4:2:2'\n"
       "4:2:2: Invalid argument\n",
       {"Unable to find a suitable output format for '4:2:2'", "4:2:2: Invalid argument"}},
      {"ffmpeg 5.1, a full disk midway: status lines redrawn after CR",
       "Press [q] to stop, [?] for help\n"
       "frame=    1 fps=0.0 q=-1.0 size=       0kB time=00:00:00.00 bitrate=N/A    \r"
       "Error writing trailer of /dev/full: No space left on device\n"
       "frame=   50 fps=0.0 q=-1.0 Lsize=     171kB time=00:00:02.01 bitrate= 698.4kbits/s    \n"
       "video:59kB audio:94kB subtitle:0kB other streams:0kB global headers:0kB\n"
       "Error closing file /dev/full: No space left on device\n",
       {"Error writing trailer of /dev/full: No space left on device",
        "Error closing file /dev/full: No space left on device"}},
      {"the verdict alone", "\r\n\r\nConversion failed!\r\n", {}},
      {"no output at all", "", {}},
      {"more messages than are quoted",
       "one\ntwo\nthree\nfour\nConversion failed!\n",
       {"two", "three", "four"}},
      {"a line past the length quoted",
       std::string(400, 'x') + "\n",
       {std::string(300, 'x') + "..."}},
  };
  for (const Case& c : cases) EXPECT_EQ(CauseLines(c.output), c.causes) << c.what;
}

TEST(FailureText, TailKeepsTheLastWholeLines) {
  OutputTail tail;
  tail.Add("first line\r\n");
  EXPECT_EQ(tail.Text(), "first line\r\n");
  for (int i = 0; i < 1000; ++i) tail.Add("frame=  " + std::to_string(i) + " fps=25\r");
  tail.Add("Unknown encoder 'x'\r\n");
  EXPECT_LE(tail.Text().size(), OutputTail::kLimit);
  EXPECT_TRUE(tail.Text().starts_with("frame=")) << tail.Text().substr(0, 40);
  EXPECT_EQ(CauseLines(tail.Text()), std::vector<std::string>{"Unknown encoder 'x'"});
}

// The boxes as the user reads them: which run, the code, the reason, an
// incomplete output, the log.
TEST(FailureText, BoxTexts) {
  const std::string output =
      "[mp2 @ 00ce8640] Specified sample format fltp is invalid\r\n"
      "Conversion failed!\r\n";
  const std::string logNote =
      "\r\n\r\nEverything FFmpeg wrote is in the log window: press \"Show last log\" to read it.";
  EXPECT_EQ(FfmpegFailedText({}, 1, output, "C:\\out\\film.mkv"),
            "FFmpeg could not do this job (exit code 1). It gave this reason:\r\n"
            "\r\n    mp2: Specified sample format fltp is invalid\r\n"
            "\r\nThe output file is incomplete (it was left as it is):\r\nC:\\out\\film.mkv" +
                logNote);
  EXPECT_EQ(FfmpegFailedText({FfmpegRun::kCut, 2, 4}, 1, "Conversion failed!\r\n", ""),
            "Cut 2 of 4: FFmpeg could not make this cut (exit code 1).\r\n\r\n"
            "Trimming stopped here: no later cut and no join was made." +
                logNote);
  EXPECT_EQ(FfmpegFailedText({FfmpegRun::kJoin}, 0xC0000005, "", ""),
            "Join: FFmpeg could not join the cuts (exit code 0xC0000005)." + logNote);
  EXPECT_EQ(ProbeFailedText("C:\\rec\\notes.txt", 1, ""),
            "This file could not be read:\r\nC:\\rec\\notes.txt\r\n\r\n"
            "FFprobe ended with exit code 1 without describing it.\r\n\r\n"
            "It may not be a media file, or it may be damaged or incomplete.");
  EXPECT_EQ(ProbeFailedText("C:\\rec\\empty.ts", 0, "").find("FFprobe ended without describing"),
            std::string("This file could not be read:\r\nC:\\rec\\empty.ts\r\n\r\n").size());
}

}  // namespace
}  // namespace trellimux
