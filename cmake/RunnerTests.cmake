# The job runner's tests: a fake ffmpeg.exe/ffprobe.exe of our own in
# fake-tools/ beside the test program, which runs jobs against it.
add_executable(fake_child tests/jobs/win/FakeChild.cpp)
target_link_libraries(fake_child PRIVATE ${TRELLIMUX_STATIC_LINK})
target_include_directories(fake_child PRIVATE tests)
add_custom_command(TARGET fake_child POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/fake-tools"
  COMMAND ${CMAKE_COMMAND} -E copy "$<TARGET_FILE:fake_child>" "${CMAKE_BINARY_DIR}/fake-tools/ffmpeg.exe"
  COMMAND ${CMAKE_COMMAND} -E copy "$<TARGET_FILE:fake_child>" "${CMAKE_BINARY_DIR}/fake-tools/ffprobe.exe")

add_executable(trellimux_runner_tests
  tests/jobs/win/JobHost.cpp tests/jobs/win/RunnerTestSupport.cpp tests/jobs/win/JobRunnerTest.cpp
  tests/jobs/win/CancelPhasesTest.cpp
  tests/jobs/win/JobProgressTest.cpp
  tests/jobs/win/ByteCopyJoinTest.cpp tests/jobs/win/TrimSequenceTest.cpp
  tests/jobs/win/HandleCount.cpp tests/jobs/win/JobHandleTest.cpp tests/process/win/ChildStartTest.cpp
  tests/app/win/WindowTestSupport.cpp)
target_include_directories(trellimux_runner_tests PRIVATE tests)
target_link_libraries(trellimux_runner_tests PRIVATE trellimux_shell GTest::gtest_main ${TRELLIMUX_STATIC_LINK})
add_dependencies(trellimux_runner_tests fake_child)
# A windowed program like trellimux.exe: it has no console of its own, so
# it can attach to a child's console to send Ctrl-C.
target_link_options(trellimux_runner_tests PRIVATE -mwindows)

# Benchmarks of the runner: its cost against a direct run of ffmpeg, the
# log pump's throughput with the window's answer time, the byte-copy join
# against the platform's own copy and Linux cat, and ffmpeg's closing time.
add_library(timed_job STATIC bench/win/TimedJob.cpp tests/jobs/win/JobHost.cpp)
target_include_directories(timed_job PUBLIC . src tests)
target_link_libraries(timed_job PUBLIC trellimux_shell)
add_executable(job_runner_bench bench/win/JobRunnerBench.cpp)
add_executable(log_pump_bench bench/win/LogPumpBench.cpp)
add_executable(byte_join_bench bench/win/ByteJoinBench.cpp)
add_executable(quit_finish_bench bench/win/QuitFinishBench.cpp)
foreach(bench job_runner_bench log_pump_bench byte_join_bench quit_finish_bench)
  target_link_libraries(${bench} PRIVATE timed_job ${TRELLIMUX_STATIC_LINK})
endforeach()
add_dependencies(log_pump_bench fake_child)
