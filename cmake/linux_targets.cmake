# The Linux build: libcurl for the request object, Qt 6 Widgets for the window.
find_package(CURL REQUIRED)

add_library(platform_text STATIC app/ansi_text_linux.cpp)
target_include_directories(platform_text PUBLIC "${CMAKE_SOURCE_DIR}")
target_link_libraries(platform_text PRIVATE project_warnings)

add_library(web_platform STATIC web/request_object_linux.cpp)
# libcurl is opened at the first request (dlopen), so only its headers are used here.
target_include_directories(web_platform PRIVATE ${CURL_INCLUDE_DIRS})
target_link_libraries(web_platform PUBLIC core platform_text ${CMAKE_DL_LIBS} PRIVATE project_warnings)

include(cmake/qt_targets.cmake OPTIONAL)
