# The Win32 windows of the Windows build, and Sonvale-Brackwen.exe itself.
enable_language(RC)

# Everything of the program except its entry point, so that test programs can build the
# real window in their own process. Objects rather than an archive: the portable core calls
# into these files and they into the core, which one pass of the linker cannot untangle.
add_library(win32_window OBJECT
  app/main_window_win32.cpp
  app/result_list/result_list_win32.cpp
  actions/clipboard_win32.cpp
)
target_link_libraries(win32_window
  PUBLIC "$<LINK_GROUP:RESCAN,core,web_platform>" comctl32 ole32 user32 gdi32
  PRIVATE project_warnings)

add_executable(sonvale_brackwen WIN32 app/main_win32.cpp app/sonvale-brackwen.rc)
set_target_properties(sonvale_brackwen PROPERTIES
  OUTPUT_NAME Sonvale-Brackwen
  RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}")
target_link_libraries(sonvale_brackwen PRIVATE win32_window project_warnings)

# Wine reads an image whose sections are not page-aligned into private memory, all of it,
# debug sections of the static runtime included. Stripped and page-aligned, it is mapped.
set(LEAN_IMAGE_LINK_OPTIONS -s -Wl,--gc-sections -Wl,--file-alignment=4096
                            -Wl,--section-alignment=4096)
target_link_options(sonvale_brackwen PRIVATE ${LEAN_IMAGE_LINK_OPTIONS})

# Benchmarks under Wine (not tests): bench/bench_win32.sh builds and runs them.
add_executable(empty_window_win32 EXCLUDE_FROM_ALL WIN32 bench/empty_window_win32.cpp)
target_link_libraries(empty_window_win32 PRIVATE project_warnings)
target_link_options(empty_window_win32 PRIVATE ${LEAN_IMAGE_LINK_OPTIONS})
add_executable(startup_bench_win32 EXCLUDE_FROM_ALL bench/startup_bench_win32.cpp)
target_link_libraries(startup_bench_win32 PRIVATE psapi project_warnings)
add_executable(search_bench_win32 EXCLUDE_FROM_ALL bench/search_bench_win32.cpp)
target_link_libraries(search_bench_win32 PRIVATE win32_window project_warnings)
set_target_properties(empty_window_win32 startup_bench_win32 search_bench_win32 PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
