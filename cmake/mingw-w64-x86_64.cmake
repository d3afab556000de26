# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers. The
# "-posix" variants are the ones with std::thread and std::mutex, which Qt
# needs. Programs built here run on Linux through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MORVANE2_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MORVANE2_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MORVANE2_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MORVANE2_MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${MORVANE2_MINGW_TRIPLE}-objdump CACHE FILEPATH "")
set(CMAKE_STRIP ${MORVANE2_MINGW_TRIPLE}-strip CACHE FILEPATH "")

# Headers and libraries come from the MinGW sysroot (and whatever prefixes a
# project adds), build tools from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${MORVANE2_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs (CTest, try_run) run through Wine. Debian 12 names it "wine".
find_program(MORVANE2_WINE wine)
if(MORVANE2_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${MORVANE2_WINE})
endif()
