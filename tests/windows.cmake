# The tests of the Windows program. They run under Wine (the test emulator) on the X display
# that the test command provides; everything that opens a window takes the display alone,
# since activation and focus are shared by every window on it.

add_project_test(win32_window_tests
  SOURCES win32/main_window_test.cpp ${CMAKE_SOURCE_DIR}/app/sonvale-brackwen.rc
  LIBRARIES win32_window
  SERIAL)

# Reads the running program from another process, for the tests that drive it from outside.
add_executable(window_probe win32/window_probe.cpp)
target_include_directories(window_probe PRIVATE "${CMAKE_SOURCE_DIR}")
target_link_libraries(window_probe PRIVATE comctl32 project_warnings)

# The built program driven from outside as a person would: xdotool input, xclip, the probe.
set(program_tests
  test_search_lists_the_songs_and_a_double_click_copies_the_address
  test_a_double_click_on_an_empty_list_changes_nothing
  test_tab_and_shift_tab_move_along_the_ring
  test_escape_closes_with_status_0_even_from_the_list
  test_escape_with_a_modifier_does_not_close
  test_enter_f1_and_alt_letters_do_nothing
  test_the_focus_comes_back_after_another_window_was_active
  test_as_a_person_uses_it)
foreach(test_name IN LISTS program_tests)
  string(REGEX REPLACE "^test_" "" short_name "${test_name}")
  add_test(NAME windows_program.${short_name}
    COMMAND "${Python3_EXECUTABLE}" "${CMAKE_CURRENT_SOURCE_DIR}/win32/program_test.py" -v
            "program_test.${test_name}")
  set_tests_properties(windows_program.${short_name} PROPERTIES
    ENVIRONMENT "WINE_RUN=${CMAKE_SOURCE_DIR}/cmake/wine-run.sh;WINE_PREFIX=${CMAKE_BINARY_DIR}/wine;PROGRAM=$<TARGET_FILE:sonvale_brackwen>;PROBE=$<TARGET_FILE:window_probe>;SAMPLE_SERVER=${SAMPLE_SERVER_URL};http_proxy=${SAMPLE_SERVER_URL};no_proxy=;SCREENSHOT=${CMAKE_BINARY_DIR}/screenshot-windows.png"
    FIXTURES_REQUIRED sample_server
    RUN_SERIAL TRUE
    TIMEOUT 240)
endforeach()
