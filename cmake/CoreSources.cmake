# The portable core: no Windows headers, built natively and for Windows.
set(TRELLIMUX_CORE_SOURCES
  src/probe/ProbeReport.cpp
  src/params/StreamTable.cpp
  src/params/PageTables.cpp
  src/params/ValueLists.cpp
  src/params/ColumnMenu.cpp
  src/text/PathText.cpp
  src/text/Utf8Text.cpp
  src/cmdline/CommandText.cpp
  src/cmdline/EncoderFacts.cpp
  src/cmdline/ProbedValues.cpp
  src/cmdline/ProfileNames.cpp
  src/cmdline/StreamOptions.cpp
  src/cmdline/ExpertCommand.cpp
  src/cmdline/ContainerPresets.cpp
  src/cmdline/EasyCommand.cpp
  src/cmdline/EasyModeLists.cpp
  src/cmdline/TrimCommand.cpp
  src/concat/ContainerDefaults.cpp
  src/concat/ConcatCommand.cpp
  src/concat/ByteJoin.cpp
  src/trim/CutTime.cpp
  src/trim/TrimChoices.cpp
  src/trim/KeyframeSearch.cpp
  src/jobs/ToolInvocation.cpp
  src/jobs/LogText.cpp
  src/jobs/PendingLog.cpp
  src/jobs/ChildCommandLine.cpp
  src/jobs/JobCompletion.cpp
  src/jobs/FailureText.cpp
  src/jobs/StartChecks.cpp
  src/app/AboutText.cpp
  src/app/ConcatChoiceMemory.cpp
  src/app/ContainerChoice.cpp
  src/app/ControlTable.cpp
  src/app/Pages.cpp
  src/app/StaticColours.cpp
  src/app/WindowPlacement.cpp
)

# Core tests, run natively and under Wine.
set(TRELLIMUX_CORE_TEST_SOURCES
  tests/text/AsciiTextTest.cpp
  tests/probe/ParseProbeReportTest.cpp
  tests/probe/ProbeReportRobustnessTest.cpp
  tests/params/PageTablesTest.cpp
  tests/params/ColumnMenuTest.cpp
  tests/text/PathTextTest.cpp
  tests/text/Utf8TextTest.cpp
  tests/cmdline/ExpertCommandTest.cpp
  tests/cmdline/ProfileNamesTest.cpp
  tests/cmdline/StreamOptionsTest.cpp
  tests/cmdline/ContainerPresetsTest.cpp
  tests/cmdline/EasyModeListsTest.cpp
  tests/cmdline/EasyCommandTest.cpp
  tests/cmdline/TrimCommandTest.cpp
  tests/concat/ConcatInputListTest.cpp
  tests/concat/ConcatCommandTest.cpp
  tests/trim/CutListTest.cpp
  tests/trim/CutTimeTest.cpp
  tests/trim/KeyframeSearchTest.cpp
  tests/jobs/ToolInvocationTest.cpp
  tests/jobs/LogTextTest.cpp
  tests/jobs/PendingLogTest.cpp
  tests/jobs/ChildCommandLineTest.cpp
  tests/jobs/JobCompletionTest.cpp
  tests/jobs/FailureTextTest.cpp
  tests/jobs/StartChecksTest.cpp
  tests/app/AboutTextTest.cpp
  tests/app/ControlTableTest.cpp
  tests/app/PagesTest.cpp
  tests/app/ConcatChoiceMemoryTest.cpp
  tests/app/ContainerChoiceTest.cpp
  tests/app/WindowPlacementTest.cpp
)

# Tests that run the real FFmpeg tools on sample media.
set(TRELLIMUX_MEDIA_TEST_SOURCES
  tests/media/SampleMedia.cpp
  tests/media/ProbeRealReportsTest.cpp
  tests/media/ExpertCommandRunTest.cpp
  tests/media/EasyCommandRunTest.cpp
  tests/media/ConcatRunTest.cpp
  tests/media/TrimRunTest.cpp
  tests/media/RealReportsRunTest.cpp
)

# How the media tests start a tool: posix_spawn natively, CreateProcessA on
# Windows (the way the program itself starts them).
set(TRELLIMUX_TOOL_RUNNER_POSIX tests/media/ToolRunnerPosix.cpp)
set(TRELLIMUX_TOOL_RUNNER_WIN tests/media/win/ToolRunnerWin.cpp)

# The Win32 shell: the window, its controls and pages (Windows build only).
set(TRELLIMUX_SHELL_SOURCES
  src/app/win/AppState.cpp
  src/app/win/ControlFactory.cpp
  src/app/win/ControlStyles.cpp
  src/app/win/ListViewSetup.cpp
  src/app/win/LogWindow.cpp
  src/app/win/MainWindow.cpp
  src/app/win/MessageBoxes.cpp
  src/app/win/PageView.cpp
  src/app/win/SharedResources.cpp
  src/app/win/ProgressIndicator.cpp
  src/app/win/StreamTableView.cpp
  src/app/win/ConvertPage.cpp
  src/app/win/ConcatPage.cpp
  src/app/win/TrimPage.cpp
  src/app/win/CutTimeFields.cpp
  src/app/win/TextListView.cpp
  src/app/win/EasyModeView.cpp
  src/app/win/PageRouting.cpp
  src/app/win/StreamListHeaders.cpp
  src/app/win/TableCommands.cpp
  src/params/win/InPlaceEditor.cpp
  src/params/win/ValueMenuPopup.cpp
  src/app/win/JobControl.cpp
  src/app/win/JobStart.cpp
  src/app/win/KeyframeLookup.cpp
  src/app/win/FileChoosers.cpp
  src/app/win/Launchers.cpp
  src/app/win/StartFiles.cpp
  src/jobs/win/ChildProcess.cpp
  src/jobs/win/ChildStopper.cpp
  src/jobs/win/JobLog.cpp
  src/jobs/win/JobRunner.cpp
  src/jobs/win/ByteCopyJoin.cpp
  src/jobs/win/TrimSequence.cpp
  src/jobs/win/PlatformError.cpp
)

# The window tests: the real main window, created in the test process.
set(TRELLIMUX_WINDOW_TEST_SOURCES
  tests/app/win/WindowTestSupport.cpp
  tests/app/win/MainWindowTest.cpp
  tests/app/win/PageSwitchTest.cpp
  tests/app/win/JobWindowTest.cpp
  tests/app/win/TableTestSupport.cpp
  tests/app/win/ParameterTableTest.cpp
  tests/app/win/ConvertPageTest.cpp
  tests/app/win/ConcatPageTest.cpp
  tests/app/win/TrimPageTest.cpp
  tests/app/win/JobStartTest.cpp
  tests/app/win/FileChooserTest.cpp
  tests/app/win/LauncherTest.cpp
  tests/media/SampleMedia.cpp
)
