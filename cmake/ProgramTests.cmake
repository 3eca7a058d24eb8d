# The real trellimux.exe started and driven from a second process under Wine.
# A second copy hands over to any window with the program's class and title,
# so no other test may show one on the Wine desktop meanwhile: tests that do
# take the lock "trellimux_main_window".
add_test(NAME program_process_tests_under_wine
  COMMAND "${WINE_RUN}" "${CMAKE_BINARY_DIR}/win/trellimux_process_tests.exe")
set_tests_properties(program_process_tests_under_wine PROPERTIES FIXTURES_REQUIRED wine
  RESOURCE_LOCK trellimux_main_window
  ENVIRONMENT "TRELLIMUX_TOOLS=${TRELLIMUX_BIN_DIR};TRELLIMUX_WORK=${CMAKE_BINARY_DIR}/program-work")

# Concat, Convert and Trim jobs run in the real program from its file dialogs
# to the output files, which ffprobe.exe and byte comparisons check. The
# program runs in its own folder, where its Temp folder and the Concat list
# file lie; the media are made in the work folder.
add_test(NAME end_to_end_tests_under_wine
  COMMAND "${WINE_RUN}" "${CMAKE_BINARY_DIR}/win/trellimux_end_to_end_tests.exe")
set_tests_properties(end_to_end_tests_under_wine PROPERTIES FIXTURES_REQUIRED wine
  RESOURCE_LOCK trellimux_main_window TIMEOUT 900
  ENVIRONMENT "TRELLIMUX_TOOLS=${TRELLIMUX_BIN_DIR};TRELLIMUX_WORK=${CMAKE_BINARY_DIR}/end-to-end-work")
