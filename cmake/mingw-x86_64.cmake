# The same sources as a 64-bit Windows program, for machines whose kernel
# cannot execute 32-bit code (and so cannot run wine32).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LEXIDROP_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
