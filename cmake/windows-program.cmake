# velmora.exe: the core with the Win32 host and window, static, GUI subsystem; then the Wine-side tests.
enable_language(RC)

file(GLOB VELMORA_WIN32_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/host/win32/*.cpp ${CMAKE_SOURCE_DIR}/src/app/win32/*.cpp)

# The Win32 side as a library, so that test-only builds of the program can reuse it.
add_library(velmora_win32 STATIC ${VELMORA_WIN32_SOURCES})
target_compile_definitions(velmora_win32 PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(velmora_win32 PUBLIC velmora_core comctl32 winmm shell32 shlwapi gdi32 user32 kernel32)

add_executable(velmora WIN32 ${CMAKE_SOURCE_DIR}/res/velmora.rc)
target_link_libraries(velmora PRIVATE velmora_win32 velmora_core velmora_win32)
# wWinMain and the plain terminate handler sit in velmora_win32, but the CRT and the C++ library ask
# for them only after that library has been searched: named here, they are taken from it.
target_link_options(velmora PRIVATE -static -s -municode -Wl,--undefined=wWinMain
  -Wl,--undefined=_ZN9__gnu_cxx27__verbose_terminate_handlerEv)

if(EXISTS ${CMAKE_SOURCE_DIR}/tests/windows/CMakeLists.txt)
  add_subdirectory(${CMAKE_SOURCE_DIR}/tests/windows ${CMAKE_BINARY_DIR}/tests/windows)
endif()

# The benchmark programs, built only when asked for (bench/run.sh).
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/windows/CMakeLists.txt)
  add_subdirectory(${CMAKE_SOURCE_DIR}/bench/windows ${CMAKE_BINARY_DIR}/bench/windows EXCLUDE_FROM_ALL)
endif()
