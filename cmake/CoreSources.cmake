# The portable core: no Windows headers, built natively and for Windows.
set(TRELLIMUX_CORE_SOURCES
  src/probe/ProbeReport.cpp
  src/params/StreamTable.cpp
  src/params/PageTables.cpp
  src/cmdline/CommandText.cpp
  src/cmdline/ProfileNames.cpp
  src/cmdline/StreamOptions.cpp
  src/cmdline/ExpertCommand.cpp
  src/jobs/ToolInvocation.cpp
)

# Core tests, run natively and under Wine.
set(TRELLIMUX_CORE_TEST_SOURCES
  tests/text/AsciiTextTest.cpp
  tests/probe/ParseProbeReportTest.cpp
  tests/probe/ProbeReportRobustnessTest.cpp
  tests/params/PageTablesTest.cpp
  tests/cmdline/ExpertCommandTest.cpp
  tests/cmdline/ProfileNamesTest.cpp
  tests/jobs/ToolInvocationTest.cpp
)

# Tests that run the real FFmpeg tools on sample media.
set(TRELLIMUX_MEDIA_TEST_SOURCES
  tests/media/SampleMedia.cpp
  tests/media/ProbeRealReportsTest.cpp
  tests/media/ExpertCommandRunTest.cpp
)

# How the media tests start a tool: posix_spawn natively, CreateProcessA on
# Windows (the way the program itself starts them).
set(TRELLIMUX_TOOL_RUNNER_POSIX tests/media/ToolRunnerPosix.cpp)
set(TRELLIMUX_TOOL_RUNNER_WIN tests/media/win/ToolRunnerWin.cpp)
