# The Windows build: the WinHttp COM request object, Win32 windows.

# Test programs run under Wine, in a prefix of this build's own.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/cmake/wine-run.sh;${CMAKE_BINARY_DIR}/wine")

add_library(web_platform STATIC web/request_object_win32.cpp web/variant_bytes_win32.cpp)
target_link_libraries(web_platform PUBLIC core ole32 oleaut32 uuid PRIVATE project_warnings)

include(cmake/win32_targets.cmake OPTIONAL)
