# Shared part of the two mingw-w64 toolchains. TV_MINGW_TRIPLE names the target.
# TV_MINGW_THREADS picks the compiler variant: "posix" (the default; GoogleTest and the tests
# use it) or "win32", whose run-time needs no threading library, which saves the
# single-threaded release stub about 28 KB.
if(NOT TV_MINGW_THREADS)
  set(TV_MINGW_THREADS posix)
endif()
set(CMAKE_C_COMPILER ${TV_MINGW_TRIPLE}-gcc-${TV_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${TV_MINGW_TRIPLE}-g++-${TV_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${TV_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TV_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# No runtime DLLs beside our programs: libgcc, libstdc++ and winpthread are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
