# The MinGW-w64 cross build: the program and the core tests as Windows
# executables, everything linked statically.
set(TRELLIMUX_STATIC_LINK -static -static-libgcc -static-libstdc++)

add_executable(trellimux WIN32 src/app/win/Main.cpp)
target_link_libraries(trellimux PRIVATE trellimux_core ${TRELLIMUX_STATIC_LINK})
set_target_properties(trellimux PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${TRELLIMUX_BIN_DIR}")

set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

add_executable(trellimux_core_tests
  ${TRELLIMUX_CORE_TEST_SOURCES} ${TRELLIMUX_MEDIA_TEST_SOURCES} ${TRELLIMUX_TOOL_RUNNER_WIN})
target_include_directories(trellimux_core_tests PRIVATE tests)
target_link_libraries(trellimux_core_tests PRIVATE trellimux_core GTest::gtest_main ${TRELLIMUX_STATIC_LINK})
