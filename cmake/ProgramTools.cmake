# Programs that drive the real trellimux.exe from a second process: its
# process tests, its end-to-end tests, a console driver for scripts, and the
# start-up benchmark with the minimal and plain windows it compares against, and the
# benchmark of what "Cancel Job" leaves of a conversion's output.
add_library(trellimux_program_driver STATIC
  tests/app/win/ProgramDriver.cpp tests/app/win/ProgramControls.cpp ${TRELLIMUX_TOOL_RUNNER_WIN}
  tests/app/win/PreviewDriving.cpp tests/media/MediaChecks.cpp)
target_include_directories(trellimux_program_driver PUBLIC src tests)
target_link_libraries(trellimux_program_driver PUBLIC trellimux_core)

# The driving programs run with the program's own 8-bit text, UTF-8.
set(TRELLIMUX_DRIVER_RESOURCES tests/app/win/Utf8TextDriver.rc)

add_executable(trellimux_process_tests tests/app/win/ProgramProcessTest.cpp ${TRELLIMUX_DRIVER_RESOURCES})
target_link_libraries(trellimux_process_tests PRIVATE
  trellimux_program_driver GTest::gtest_main ${TRELLIMUX_STATIC_LINK})

# Each task page from input to output file with the real FFmpeg tools.
add_executable(trellimux_end_to_end_tests
  tests/app/win/EndToEndMedia.cpp
  tests/app/win/EndToEndSession.cpp
  tests/app/win/EndToEndConcatTest.cpp
  tests/app/win/EndToEndConvertTest.cpp
  tests/app/win/EndToEndTrimTest.cpp
  tests/app/win/EndToEndSmartCopyTest.cpp
  tests/app/win/EndToEndFailureTest.cpp
  tests/app/win/EndToEndEasyAudioTest.cpp
  tests/app/win/EndToEndByteJoinTest.cpp
  tests/app/win/EndToEndRecordingPartsTest.cpp
  tests/app/win/EndToEndHeldFileTest.cpp
  tests/app/win/EndToEndCancelTest.cpp
  tests/app/win/EndToEndProgressTest.cpp
  tests/app/win/EndToEndPreviewTest.cpp
  tests/app/win/EndToEndKeyboardTest.cpp
  tests/app/win/EndToEndBatchTest.cpp
  ${TRELLIMUX_DRIVER_RESOURCES})
target_link_libraries(trellimux_end_to_end_tests PRIVATE
  trellimux_program_driver GTest::gtest_main ${TRELLIMUX_STATIC_LINK})

add_executable(trellimux_driver tests/app/win/DriverCommand.cpp tests/app/win/DriverTaskSteps.cpp
  ${TRELLIMUX_DRIVER_RESOURCES})
target_link_libraries(trellimux_driver PRIVATE trellimux_program_driver version ${TRELLIMUX_STATIC_LINK})

add_executable(minimal_window WIN32 bench/win/MinimalWindow.cpp)
target_link_libraries(minimal_window PRIVATE ${TRELLIMUX_STATIC_LINK})

# The same prompt with the same sound, then the same window of plain controls.
add_executable(plain_prompt_window WIN32 bench/win/PlainPromptWindow.cpp src/app/win/ControlStyles.cpp
  bench/win/PlainPromptWindow.rc)
target_link_libraries(plain_prompt_window PRIVATE trellimux_core comctl32 winmm ${TRELLIMUX_STATIC_LINK})

add_executable(startup_bench bench/win/StartupBench.cpp)
target_link_libraries(startup_bench PRIVATE trellimux_program_driver ${TRELLIMUX_STATIC_LINK})
add_dependencies(startup_bench minimal_window plain_prompt_window)

add_executable(cancel_outcome_bench bench/win/CancelOutcomeBench.cpp ${TRELLIMUX_DRIVER_RESOURCES})
target_link_libraries(cancel_outcome_bench PRIVATE trellimux_program_driver ${TRELLIMUX_STATIC_LINK})

# A long session of Convert jobs in the real program, its handle count
# printed as it goes.
add_executable(handle_count_bench bench/win/HandleCountBench.cpp tests/jobs/win/HandleCount.cpp
  src/app/win/ProcessHandles.cpp)
target_link_libraries(handle_count_bench PRIVATE trellimux_program_driver ${TRELLIMUX_STATIC_LINK})

# The Trim preview's frames in the real program: move to frame shown, a drag,
# the window's answers meanwhile.
add_executable(preview_bench bench/win/PreviewBench.cpp ${TRELLIMUX_DRIVER_RESOURCES})
target_link_libraries(preview_bench PRIVATE trellimux_program_driver ${TRELLIMUX_STATIC_LINK})

# What a Smart Copy cut costs beside a Copy cut of the same span.
add_executable(smart_copy_bench bench/win/SmartCopyBench.cpp)
target_link_libraries(smart_copy_bench PRIVATE trellimux_program_driver ${TRELLIMUX_STATIC_LINK})
