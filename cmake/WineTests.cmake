# Tests of a Windows cross build: GoogleTest built from Debian's sources by the cross
# compiler, and every test program run under wine64 in a wine prefix of the build's own.
set(KORVANTEL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${KORVANTEL_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${KORVANTEL_GOOGLETEST_SOURCE}: "
                      "install the Debian package googletest")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# Its targets come with the names GTest::gtest and GTest::gtest_main, as the host package has.
add_subdirectory(${KORVANTEL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

find_program(KORVANTEL_WINE64 wine64 PATHS /usr/lib/wine REQUIRED)
find_program(KORVANTEL_WINESERVER wineserver PATHS /usr/lib/wine REQUIRED)
set(KORVANTEL_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
# The test programs are listed when CTest runs, under wine, not while they are built.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# The prefix is set up while building, so that CTest's listing of the test programs, which
# allows each a few seconds, never waits for it.
add_custom_command(OUTPUT ${KORVANTEL_WINE_PREFIX}/system.reg
                   COMMAND ${CMAKE_BINARY_DIR}/wine-run wineboot
                   COMMENT "Setting up the wine prefix ${KORVANTEL_WINE_PREFIX}")
add_custom_target(wine_prefix ALL DEPENDS ${KORVANTEL_WINE_PREFIX}/system.reg)
