# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds for 64-bit Windows on Debian with MinGW-w64 (the posix-thread compilers, which a
# Qt built with them needs). Point CMAKE_PREFIX_PATH at a static Qt for Windows; the host's Qt 5
# Linguist tools make the translations (Qt5LinguistTools_DIR).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TRACKTUNE_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TRACKTUNE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRACKTUNE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TRACKTUNE_MINGW_PREFIX}-windres)

# Libraries and headers from the target's root and the prefix only; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TRACKTUNE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# The C++ runtime and winpthread inside the programs: nothing to ship beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
