# The release zip made as scripts/package.sh makes it from the built program,
# then unpacked and run as a user runs it: in a fresh folder and Wine prefix.
add_test(NAME release_package COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/package.sh" --built)
set_tests_properties(release_package PROPERTIES FIXTURES_SETUP release)

add_test(NAME release_smoke_test
  COMMAND bash "${CMAKE_SOURCE_DIR}/tests/release/smoke-test.sh" "${CMAKE_BINARY_DIR}/release-smoke")
set_tests_properties(release_smoke_test PROPERTIES FIXTURES_REQUIRED release TIMEOUT 300
  ENVIRONMENT "TRELLIMUX_TOOLS=${TRELLIMUX_BIN_DIR};TRELLIMUX_DRIVER=${CMAKE_BINARY_DIR}/win/trellimux_driver.exe")
