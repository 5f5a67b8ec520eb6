# SPDX-License-Identifier: MIT
# Cross build for 64-bit Windows with Debian's mingw-w64. The posix thread model, because the win32
# one of this compiler has no std::thread. Programs are linked statically, so an .exe runs on a bare
# Windows without the compiler's DLLs; tests run under wine on this machine. Beside Qt's DLLs they use
# the compiler's runtime DLLs Qt uses (NUBRA_MINGW_SHARED_RUNTIME), so one C++ runtime serves both.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(NUBRA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${NUBRA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NUBRA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${NUBRA_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${NUBRA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
if(NOT NUBRA_MINGW_SHARED_RUNTIME)
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
endif()
find_program(NUBRA_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(NUBRA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${NUBRA_WINE})
endif()
# Tests are listed when ctest runs (under wine, in the prefix the test preset names), not at build time.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
