# Cross-building Calorix for 64-bit Windows with Debian's mingw-w64 (posix
# threads). scripts/windows passes the Qt built for Windows and the other
# Windows-side libraries (GoogleTest, fast_float) as CALORIX_WINDOWS_PREFIXES;
# Qt's host tools (moc, rcc, uic) come from the build machine's Qt.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Try-compile runs in a fresh project that does not see the cache variables.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES CALORIX_WINDOWS_PREFIXES)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${CALORIX_WINDOWS_PREFIXES})
# Programs run on the build machine; libraries, headers and packages are the
# Windows ones only (never /usr/include: its glibc headers do not fit).
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(QT_HOST_PATH /usr CACHE PATH "Qt of the build machine (moc, rcc, uic)")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "CMake files of the build machine's Qt")

# Test programs (and CTest's test discovery) run under Wine, in a Wine
# prefix of the build folder, with the mingw runtime and Qt on its DLL path.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
  OUTPUT_VARIABLE calorix_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
  OUTPUT_VARIABLE calorix_winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(calorix_libstdcxx "${calorix_libstdcxx}" DIRECTORY)
get_filename_component(calorix_winpthread "${calorix_winpthread}" DIRECTORY)
set(calorix_dll_dirs "${calorix_libstdcxx}" "${calorix_winpthread}")
foreach(prefix IN LISTS CALORIX_WINDOWS_PREFIXES)
  list(APPEND calorix_dll_dirs "${prefix}/bin")
endforeach()
set(CMAKE_CROSSCOMPILING_EMULATOR
  "${CMAKE_CURRENT_LIST_DIR}/wine-run;${CMAKE_BINARY_DIR}/wineprefix;${calorix_dll_dirs};--")
