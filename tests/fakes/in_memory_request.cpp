#include "tests/fakes/in_memory_request.h"

#include "web/request_object.h"

namespace {
scripted_request script;

class scripted_request_object final : public request_object {
  public:
    void open(const std::string& method, const std::string& url, bool async) override {
        script.method = method;
        script.url = url;
        script.async = async;
    }
    void send() override {
        ++script.sends;
        if (script.during_send) {
            script.during_send();
        }
    }
    std::string response_body() override { return script.body; }
};
} // namespace

scripted_request& last_request() {
    return script;
}
void reset_scripted_request(std::string body) {
    script = scripted_request{};
    script.body = std::move(body);
}

std::unique_ptr<request_object> create_request_object() {
    return std::make_unique<scripted_request_object>();
}
