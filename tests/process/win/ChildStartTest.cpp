// Which failed starts of a child are tried once more: only those that can
// pass by themselves.
#include <gtest/gtest.h>

#include "process/win/ChildStart.h"

namespace trellimux {
namespace {

struct StartFailure {
  DWORD error;
  bool mayPass;
};

TEST(ChildStartTest, OnlyPassingFailuresAreTriedAgain) {
  const StartFailure failures[] = {
      {ERROR_INTERNAL_ERROR, true},  // Wine: the child ended while being set up
      {ERROR_NOT_ENOUGH_MEMORY, true},     {ERROR_OUTOFMEMORY, true},
      {ERROR_NO_SYSTEM_RESOURCES, true},   {ERROR_COMMITMENT_LIMIT, true},
      {ERROR_TOO_MANY_OPEN_FILES, true},   {ERROR_SUCCESS, false},
      {ERROR_FILE_NOT_FOUND, false},       {ERROR_PATH_NOT_FOUND, false},
      {ERROR_ACCESS_DENIED, false},        {ERROR_BAD_EXE_FORMAT, false},
      {ERROR_FILENAME_EXCED_RANGE, false},
  };
  for (const StartFailure& failure : failures)
    EXPECT_EQ(StartFailureMayPass(failure.error), failure.mayPass) << failure.error;
}

TEST(ChildStartTest, FailureTextNamesTheProgramAndTheStep) {
  EXPECT_EQ(StartFailureText("C:\\tools\\ffmpeg.exe", ChildStartStep::Process, ERROR_INTERNAL_ERROR)
                .rfind("ffmpeg.exe could not be started: ", 0),
            0u);
  EXPECT_EQ(
      StartFailureText("C:\\tools\\ffprobe.exe", ChildStartStep::Pipes, ERROR_NO_SYSTEM_RESOURCES)
          .rfind("ffprobe.exe could not be started: no pipe for its input and output: ", 0),
      0u);
}

}  // namespace
}  // namespace trellimux
