// A scripted request object: records what web_request asked of it and answers with a
// body that the test chose, so the search command can be followed step by step.
#pragma once

#include <functional>
#include <string>

struct scripted_request {
    std::string method, url;
    bool async = true;
    int sends = 0;
    std::string body;                  // what ResponseBody yields
    std::function<void()> during_send; // runs while the "request" is in flight
};

scripted_request& last_request();
void reset_scripted_request(std::string body = {});
