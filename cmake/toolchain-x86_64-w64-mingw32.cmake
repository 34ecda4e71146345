# Cross-compiling for x86_64 Windows with the mingw-w64 GCC (posix thread model,
# so that std::thread and std::mutex exist).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(WUX_TARGET_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER   ${WUX_TARGET_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${WUX_TARGET_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${WUX_TARGET_TRIPLE}-windres)

# Applications may add their own roots (an installed wux, for one).
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${WUX_TARGET_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
