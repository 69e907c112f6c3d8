# The product's sources for 64-bit Windows: the build that the tests run under wine64, as
# this machine cannot run 32-bit code.
set(MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
