# Tests of the Linux program: Qt Test on the offscreen platform, and the built program
# end to end on Xvfb with a window manager.
if(NOT TARGET window_qt)
  return()
endif()
find_package(Qt6 REQUIRED COMPONENTS Test)

# A Qt Test program on the offscreen platform; NEEDS_SERVER reaches the sample server
# through http_proxy and the real playlist URL.
function(add_qt_test name)
  cmake_parse_arguments(ARG "NEEDS_SERVER" "" "SOURCES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE core web_platform window_qt Qt6::Test project_warnings)
  add_test(NAME qt.${name} COMMAND ${name})
  set(environment "QT_QPA_PLATFORM=offscreen" "LC_ALL=C.UTF-8")
  if(ARG_NEEDS_SERVER)
    list(APPEND environment "http_proxy=${SAMPLE_SERVER_URL}" "no_proxy=")
    set_tests_properties(qt.${name} PROPERTIES FIXTURES_REQUIRED sample_server)
  endif()
  set_tests_properties(qt.${name} PROPERTIES ENVIRONMENT "${environment}" LABELS qt)
endfunction()

add_qt_test(main_window_qt_test NEEDS_SERVER SOURCES qt/main_window_qt_test.cpp)
add_qt_test(result_list_qt_test SOURCES qt/result_list_qt_test.cpp)
add_qt_test(clipboard_qt_test SOURCES qt/clipboard_qt_test.cpp)

# The built program as a person uses it: typed input, clicks, the X clipboard, the exit
# status, and the controls as assistive tools read them over AT-SPI. It runs on a private
# Xvfb with openbox, so that it shares neither the focus nor the clipboard with anything
# else that runs at the same time, and in a D-Bus session of its own for AT-SPI.
# pyatspi belongs to Debian's Python, whichever python3 comes first on the PATH.
find_program(SYSTEM_PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH)
find_program(DBUS_RUN_SESSION dbus-run-session)
if(NOT SYSTEM_PYTHON3 OR NOT DBUS_RUN_SESSION)
  message(WARNING "/usr/bin/python3 or dbus-run-session missing: no end-to-end test")
  return()
endif()
add_test(NAME e2e.linux_program
  COMMAND "${DBUS_RUN_SESSION}" -- "${SYSTEM_PYTHON3}"
          "${CMAKE_CURRENT_SOURCE_DIR}/e2e_linux/e2e_test.py"
          --program "$<TARGET_FILE:sonvale-brackwen>"
          --screenshot "${CMAKE_CURRENT_BINARY_DIR}/screenshot-linux.png")
set_tests_properties(e2e.linux_program PROPERTIES
  ENVIRONMENT "http_proxy=${SAMPLE_SERVER_URL};no_proxy="
  FIXTURES_REQUIRED sample_server
  LABELS e2e
  TIMEOUT 120)
