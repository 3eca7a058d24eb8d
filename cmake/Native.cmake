# The native build: core tests (optionally under the address and undefined
# behaviour sanitizers), the benchmark, and the Windows build with its tests
# run under Wine.
option(TRELLIMUX_SANITIZE "Build the core and its tests with ASan and UBSan" OFF)
if(TRELLIMUX_SANITIZE)
  set(SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(trellimux_core PUBLIC ${SANITIZE_FLAGS})
  target_link_options(trellimux_core PUBLIC ${SANITIZE_FLAGS})
endif()

find_package(GTest REQUIRED)

add_executable(trellimux_core_tests ${TRELLIMUX_CORE_TEST_SOURCES})
target_include_directories(trellimux_core_tests PRIVATE tests)
target_link_libraries(trellimux_core_tests PRIVATE trellimux_core GTest::gtest_main)
target_compile_definitions(trellimux_core_tests PRIVATE
  TRELLIMUX_REPORTS_DIR="${CMAKE_SOURCE_DIR}/tests/media/realworld")

add_executable(trellimux_media_tests ${TRELLIMUX_MEDIA_TEST_SOURCES} ${TRELLIMUX_TOOL_RUNNER_POSIX})
target_include_directories(trellimux_media_tests PRIVATE tests)
target_link_libraries(trellimux_media_tests PRIVATE trellimux_core GTest::gtest_main)
target_compile_definitions(trellimux_media_tests PRIVATE
  TRELLIMUX_REPORTS_DIR="${CMAKE_SOURCE_DIR}/tests/media/realworld")

add_executable(parse_probe_report_bench bench/ParseProbeReportBench.cpp)
target_link_libraries(parse_probe_report_bench PRIVATE trellimux_core)

set(SAMPLES_DIR "${CMAKE_BINARY_DIR}/samples")
set(WINE_RUN "${CMAKE_SOURCE_DIR}/scripts/wine-run.sh")

add_test(NAME core_tests COMMAND trellimux_core_tests)

add_test(NAME make_samples COMMAND bash "${CMAKE_SOURCE_DIR}/tests/media/make-samples.sh" "${SAMPLES_DIR}")
set_tests_properties(make_samples PROPERTIES FIXTURES_SETUP samples)

add_test(NAME media_tests COMMAND trellimux_media_tests)
set_tests_properties(media_tests PROPERTIES FIXTURES_REQUIRED samples
  ENVIRONMENT "TRELLIMUX_SAMPLES=${SAMPLES_DIR};TRELLIMUX_WORK=${CMAKE_BINARY_DIR}/media-work")

add_test(NAME probe_report_fuzzer
  COMMAND bash "${CMAKE_SOURCE_DIR}/tests/fuzz/run-fuzzer.sh" "${CMAKE_BINARY_DIR}/fuzz" "${SAMPLES_DIR}")
set_tests_properties(probe_report_fuzzer PROPERTIES FIXTURES_REQUIRED samples)

# The Windows build, made with the MinGW-w64 toolchain from this same tree.
include(ExternalProject)
ExternalProject_Add(trellimux_windows
  SOURCE_DIR "${CMAKE_SOURCE_DIR}"
  BINARY_DIR "${CMAKE_BINARY_DIR}/win"
  CMAKE_ARGS
    "-DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake"
    "-DCMAKE_BUILD_TYPE=Release"
    "-DTRELLIMUX_BIN_DIR=${TRELLIMUX_BIN_DIR}"
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON
  # trellimux_windows-configure: configures build/win alone, so that single
  # Windows targets can be built without the rest (scripts/build.sh --program).
  STEP_TARGETS configure)

add_test(NAME wine_prefix COMMAND "${WINE_RUN}" --init)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine)

add_test(NAME windows_tests_under_wine COMMAND "${WINE_RUN}" "${CMAKE_BINARY_DIR}/win/trellimux_core_tests.exe")
set_tests_properties(windows_tests_under_wine PROPERTIES FIXTURES_REQUIRED "wine;samples"
  ENVIRONMENT "TRELLIMUX_SAMPLES=${SAMPLES_DIR};TRELLIMUX_WORK=${CMAKE_BINARY_DIR}/media-work-wine;TRELLIMUX_TOOLS=${TRELLIMUX_BIN_DIR}")

add_test(NAME window_tests_under_wine COMMAND "${WINE_RUN}" "${CMAKE_BINARY_DIR}/win/trellimux_window_tests.exe")
# Run from the program's folder: jobs find ffmpeg.exe and ffprobe.exe in the
# start directory.
set_tests_properties(window_tests_under_wine PROPERTIES FIXTURES_REQUIRED "wine;samples"
  RESOURCE_LOCK trellimux_main_window WORKING_DIRECTORY "${TRELLIMUX_BIN_DIR}"
  ENVIRONMENT "TRELLIMUX_SAMPLES=${SAMPLES_DIR};TRELLIMUX_WORK=${CMAKE_BINARY_DIR}/window-work;TRELLIMUX_TOOLS=${TRELLIMUX_BIN_DIR}")

add_test(NAME runner_tests_under_wine COMMAND "${WINE_RUN}" "${CMAKE_BINARY_DIR}/win/trellimux_runner_tests.exe")
set_tests_properties(runner_tests_under_wine PROPERTIES FIXTURES_REQUIRED wine)

include(cmake/ProgramTests.cmake)
include(cmake/ReleaseTests.cmake)
