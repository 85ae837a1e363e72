# The posix thread model: GoogleTest needs std::mutex, which GCC 12's win32 model
# lacks. Everything is linked statically, so no winpthread DLL comes along.
set(CMAKE_C_COMPILER ${KORRELIN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORRELIN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KORRELIN_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KORRELIN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# One self-contained exe: no libstdc++, libgcc or winpthread DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Cross-built tests run under Wine; the wrapper picks the loader for the bitness.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
