# The Windows build: the WinHttp COM request object, Win32 windows.
add_library(web_platform STATIC web/request_object_win32.cpp)
target_link_libraries(web_platform PUBLIC core ole32 oleaut32 uuid PRIVATE project_warnings)

include(cmake/win32_targets.cmake OPTIONAL)
