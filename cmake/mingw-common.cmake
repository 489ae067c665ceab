# Shared part of the MinGW-w64 cross toolchains. The including file sets
# LEXIDROP_MINGW_TRIPLET. Posix thread model: GoogleTest needs std::mutex,
# which the win32 thread model lacks.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${LEXIDROP_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LEXIDROP_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${LEXIDROP_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LEXIDROP_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Every Windows executable built here (tests included) runs under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh")
