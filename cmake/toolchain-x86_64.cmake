# The build the tests run: 64-bit Windows, the only kind these machines execute under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-common.cmake)
# Windows programs built here run under Wine (tests, test discovery).
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
