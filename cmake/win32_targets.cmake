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
