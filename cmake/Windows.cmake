# The MinGW-w64 cross build: the program and the core tests as Windows
# executables, everything linked statically.
set(TRELLIMUX_STATIC_LINK -static -static-libgcc -static-libstdc++)

enable_language(RC)
set(TRELLIMUX_RESOURCES resources/trellimux.rc)
# The resource compiler does not report the files the script names.
file(GLOB TRELLIMUX_RESOURCE_FILES CONFIGURE_DEPENDS
  "${CMAKE_SOURCE_DIR}/resources/*.manifest" "${CMAKE_SOURCE_DIR}/resources/*.bmp"
  "${CMAKE_SOURCE_DIR}/resources/*.ico")
set_source_files_properties(resources/trellimux.rc PROPERTIES OBJECT_DEPENDS "${TRELLIMUX_RESOURCE_FILES}")
# oleacc after uuid: both define IID_IAccessible, and the first one found is taken.
set(TRELLIMUX_WIN32_LIBRARIES comctl32 comdlg32 gdi32 ole32 oleaut32 shell32 shlwapi user32 uuid winmm oleacc)

add_library(trellimux_shell STATIC ${TRELLIMUX_SHELL_SOURCES})
target_include_directories(trellimux_shell PUBLIC src resources)
target_compile_options(trellimux_shell PRIVATE -Wall -Wextra)
target_link_libraries(trellimux_shell PUBLIC trellimux_core ${TRELLIMUX_WIN32_LIBRARIES})

add_executable(trellimux WIN32 src/app/win/Main.cpp ${TRELLIMUX_RESOURCES})
target_link_libraries(trellimux PRIVATE trellimux_shell ${TRELLIMUX_STATIC_LINK})
set_target_properties(trellimux PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${TRELLIMUX_BIN_DIR}")
# The release build is the file that ships: stripped of its symbols at link
# time (strip would stamp the time of day into it), and with no link time in
# its header, so that the same sources give the same bytes.
target_link_options(trellimux PRIVATE -Wl,--no-insert-timestamp $<$<CONFIG:Release>:-s>)

set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

add_executable(trellimux_core_tests
  ${TRELLIMUX_CORE_TEST_SOURCES} ${TRELLIMUX_MEDIA_TEST_SOURCES} ${TRELLIMUX_TOOL_RUNNER_WIN})
target_include_directories(trellimux_core_tests PRIVATE tests)
target_link_libraries(trellimux_core_tests PRIVATE trellimux_core GTest::gtest_main ${TRELLIMUX_STATIC_LINK})
target_compile_definitions(trellimux_core_tests PRIVATE
  TRELLIMUX_REPORTS_DIR="${CMAKE_SOURCE_DIR}/tests/media/realworld")

# The window tests carry the program's resources, so the window finds its
# textures in the test executable as it does in trellimux.exe.
add_executable(trellimux_window_tests
  ${TRELLIMUX_WINDOW_TEST_SOURCES} ${TRELLIMUX_TOOL_RUNNER_WIN} ${TRELLIMUX_RESOURCES})
target_include_directories(trellimux_window_tests PRIVATE tests)
target_link_libraries(trellimux_window_tests PRIVATE trellimux_shell GTest::gtest_main ${TRELLIMUX_STATIC_LINK})
include(cmake/ProgramTools.cmake)
include(cmake/RunnerTests.cmake)
