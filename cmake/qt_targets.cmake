# The Linux window: Qt 6 Widgets from Debian.
find_package(Qt6 6.2 QUIET COMPONENTS Widgets)
if(NOT Qt6_FOUND)
  message(WARNING "Qt 6 Widgets not found (Debian: qt6-base-dev): the Linux program is not built")
  return()
endif()

# Everything of the window but `main`, so that the tests and the start-up probe of the
# benchmark link the very code that the program runs. Objects rather than an archive:
# the core calls back into them, and an archive would come too early on the link line.
add_library(window_qt OBJECT
  app/main_window_qt.cpp
  app/controls_qt.cpp
  app/result_list/result_list_qt.cpp
  actions/clipboard_qt.cpp
  app/icons_qt.qrc
)
set_target_properties(window_qt PROPERTIES AUTOMOC ON AUTORCC ON)
target_link_libraries(window_qt PUBLIC core web_platform platform_text Qt6::Widgets
                                PRIVATE project_warnings)

add_executable(sonvale-brackwen app/main_qt.cpp)
target_link_libraries(sonvale-brackwen PRIVATE core web_platform window_qt project_warnings)
set_target_properties(sonvale-brackwen PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}")

# Desktop integration: the program, its launcher entry and the icon in the hicolor theme.
include(GNUInstallDirs)
set(desktop_file "${CMAKE_BINARY_DIR}/sonvale-brackwen.desktop")
file(WRITE "${desktop_file}"
  "[Desktop Entry]\n"
  "Type=Application\n"
  "Name=Sonvale-Brackwen\n"
  "Exec=sonvale-brackwen\n"
  "Icon=sonvale-brackwen\n"
  "Terminal=false\n"
  "Categories=AudioVideo;Audio;Network;\n")
install(TARGETS sonvale-brackwen RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${desktop_file}" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES app/icon/sonvale-brackwen.svg
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
foreach(size 16 32 48 256)
  install(FILES app/icon/sonvale-brackwen-${size}.png
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
          RENAME sonvale-brackwen.png)
endforeach()

# Start-up and search timing of the window, driven by bench/startup_qt.py; not built by
# default. The empty window is its own program, linked with Qt alone, as any would be.
add_executable(startup_qt_probe EXCLUDE_FROM_ALL bench/startup_qt_probe.cpp)
target_link_libraries(startup_qt_probe PRIVATE core web_platform window_qt project_warnings)
add_executable(startup_qt_empty_probe EXCLUDE_FROM_ALL bench/startup_qt_probe.cpp)
target_compile_definitions(startup_qt_empty_probe PRIVATE EMPTY_WINDOW)
target_link_libraries(startup_qt_empty_probe PRIVATE Qt6::Widgets project_warnings)
