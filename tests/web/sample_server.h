// The sample playlist server that CTest starts for the tests that talk HTTP.
#pragma once

#include "web/web_request.h"

#include <cstdlib>
#include <string>

// Its address, from SAMPLE_SERVER; empty when the test was started without it.
inline std::string sample_server() {
    const char* address = std::getenv("SAMPLE_SERVER");
    return address ? address : "";
}

inline std::string http_get(std::string url) {
    return web_request("GET", url);
}
