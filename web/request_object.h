// The HTTP request object that web_request drives: Open, Send, ResponseBody.
// Each build supplies one; web_request creates it for exactly one exchange.
#pragma once

#include <memory>
#include <string>

class request_object {
  public:
    virtual ~request_object() = default;
    // Each step does nothing once an earlier one failed; failures are never reported.
    virtual void open(const std::string& method, const std::string& url, bool async) = 0;
    virtual void send() = 0;
    // Every byte of the body as received, zero bytes included; empty when there is none.
    virtual std::string response_body() = 0;
};

// Never null: an object that could not be created answers every call with nothing.
std::unique_ptr<request_object> create_request_object();
