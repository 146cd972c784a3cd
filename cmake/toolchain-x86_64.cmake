# Cross build for x86_64 Windows with Debian's mingw-w64 (posix threads flavour).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
