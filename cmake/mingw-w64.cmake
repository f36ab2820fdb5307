# Cross-compiles for Windows x86-64 with the POSIX-threads flavour of mingw-w64, so that
# std::thread works. Programs link the runtime statically: nothing of ours ships beside the .exe.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LCSDK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LCSDK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LCSDK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${LCSDK_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LCSDK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Wide-character Win32 API throughout, Windows 10 as the target version.
set(CMAKE_C_FLAGS_INIT "-DUNICODE -D_UNICODE -D_WIN32_WINNT=0x0A00 -DWINVER=0x0A00")
set(CMAKE_CXX_FLAGS_INIT "-DUNICODE -D_UNICODE -D_WIN32_WINNT=0x0A00 -DWINVER=0x0A00")

# Static libgcc, libstdc++ and winpthread, so a program needs no DLL of ours beside it; programs
# are GUI-subsystem with wide entry points (wWinMain or wmain).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -mwindows -municode")
# CMake's probe programs define plain main, which the wide entry cannot link: probe by compiling only.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
