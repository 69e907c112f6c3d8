# The product: 32-bit Windows, cross-built with mingw-w64.
set(MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
# 32-bit stacks are walked along frame pointers, which the failure report's call trace needs.
set(CMAKE_C_FLAGS_INIT "-fno-omit-frame-pointer")
set(CMAKE_CXX_FLAGS_INIT "-fno-omit-frame-pointer")
# The static run-time libraries bring debug sections along; the product goes without them.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
