# The real trellimux.exe started and driven from a second process under Wine.
# A second copy hands over to any window with the program's class and title,
# so no other test may show one on the Wine desktop meanwhile: tests that do
# take the lock "trellimux_main_window".
add_test(NAME program_process_tests_under_wine
  COMMAND "${WINE_RUN}" "${CMAKE_BINARY_DIR}/win/trellimux_process_tests.exe")
set_tests_properties(program_process_tests_under_wine PROPERTIES FIXTURES_REQUIRED wine
  RESOURCE_LOCK trellimux_main_window
  ENVIRONMENT "TRELLIMUX_TOOLS=${TRELLIMUX_BIN_DIR};TRELLIMUX_WORK=${CMAKE_BINARY_DIR}/program-work")
