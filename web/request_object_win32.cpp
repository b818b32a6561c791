// The request object of the Windows build: the "WinHttp.WinHttpRequest.5.1" automation
// object, created by ProgID and driven late-bound through IDispatch, so the program needs
// no type library or header of it.
#include "web/request_object.h"
#include "web/variant_bytes_win32.h"

#include <windows.h>

#include <ole2.h>
#include <oleauto.h>

#include <utility>
#include <vector>

namespace {

constexpr char REQUEST_PROG_ID[] = "WinHttp.WinHttpRequest.5.1";

// --- COM initialisation, looked up in ole32.dll on first use ---------------------------

using co_initialize_fn = HRESULT(WINAPI*)(LPVOID);
using co_uninitialize_fn = void(WINAPI*)();

[[noreturn]] void fail_missing_com(const char* function) {
    const std::string text = std::string("ole32.dll does not export ") + function + ".";
    MessageBoxA(nullptr, text.c_str(), "Sonvale-Brackwen", MB_ICONERROR | MB_OK);
    ExitProcess(static_cast<UINT>(-1));
}

template <typename Function> Function ole32_function(const char* name) {
    static HMODULE ole32 = LoadLibraryA("ole32.dll");
    FARPROC address = ole32 ? GetProcAddress(ole32, name) : nullptr;
    if (!address) {
        fail_missing_com(name);
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

// Raises the thread's COM initialisation count for one request and lowers it again.
class com_scope {
  public:
    com_scope() {
        static const auto initialize = ole32_function<co_initialize_fn>("CoInitialize");
        initialize(nullptr);
    }
    ~com_scope() {
        static const auto uninitialize = ole32_function<co_uninitialize_fn>("CoUninitialize");
        uninitialize();
    }
    com_scope(const com_scope&) = delete;
    com_scope& operator=(const com_scope&) = delete;
};

// --- small owners ----------------------------------------------------------------------

template <typename Interface> class com_ptr {
  public:
    com_ptr() = default;
    ~com_ptr() { reset(); }
    com_ptr(com_ptr&& other) noexcept : raw_(std::exchange(other.raw_, nullptr)) {}
    com_ptr& operator=(com_ptr&& other) noexcept {
        if (this != &other) {
            reset();
            raw_ = std::exchange(other.raw_, nullptr);
        }
        return *this;
    }
    com_ptr(const com_ptr&) = delete;
    com_ptr& operator=(const com_ptr&) = delete;

    Interface* get() const { return raw_; }
    Interface* operator->() const { return raw_; }
    explicit operator bool() const { return raw_ != nullptr; }
    Interface** put() {
        reset();
        return &raw_;
    }
    void reset() {
        if (raw_) {
            std::exchange(raw_, nullptr)->Release();
        }
    }

  private:
    Interface* raw_ = nullptr;
};

class bstr {
  public:
    bstr() = default;
    explicit bstr(BSTR owned) : raw_(owned) {}
    ~bstr() { SysFreeString(raw_); }
    bstr(const bstr&) = delete;
    bstr& operator=(const bstr&) = delete;
    BSTR get() const { return raw_; }
    BSTR release() { return std::exchange(raw_, nullptr); }

  private:
    BSTR raw_ = nullptr;
};

class variant {
  public:
    variant() { VariantInit(&raw_); }
    ~variant() { VariantClear(&raw_); }
    variant(const variant&) = delete;
    variant& operator=(const variant&) = delete;
    VARIANT* get() { return &raw_; }
    const VARIANT& value() const { return raw_; }

  private:
    VARIANT raw_;
};

std::wstring wide_from_ansi(const std::string& text) {
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// A text becomes a VT_BSTR of its UTF-16 form; an empty text a null BSTR.
BSTR bstr_from_ansi(const std::string& text) {
    if (text.empty()) {
        return nullptr;
    }
    return SysAllocString(wide_from_ansi(text).c_str());
}

// --- the object ------------------------------------------------------------------------

com_ptr<IUnknown> create_running_object(const char* prog_id) {
    com_ptr<IUnknown> object;
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(wide_from_ansi(prog_id).c_str(), &clsid))) {
        return object;
    }
    constexpr DWORD everywhere =
        CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
    HRESULT result = CoCreateInstance(clsid, nullptr, everywhere, IID_IUnknown,
                                      reinterpret_cast<void**>(object.put()));
    if (result == E_INVALIDARG) {
        // Systems without remote activation refuse the whole context.
        result = CoCreateInstance(clsid, nullptr, everywhere & ~CLSCTX_REMOTE_SERVER, IID_IUnknown,
                                  reinterpret_cast<void**>(object.put()));
    }
    if (FAILED(result) || !object) {
        object.reset();
        return object;
    }
    if (FAILED(OleRun(object.get()))) {
        object.reset();
    }
    return object;
}

// Calls a member by name; the arguments are given in their natural order.
bool invoke_by_name(IUnknown* object, const wchar_t* name, WORD flags,
                    std::vector<VARIANT>& arguments, VARIANT* result) {
    if (!object) {
        return false;
    }
    com_ptr<IDispatch> dispatch;
    if (FAILED(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.put())))) {
        return false;
    }
    const LCID locale = GetUserDefaultLCID();
    DISPID member = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    com_ptr<ITypeInfo> type_info;
    if (FAILED(dispatch->GetTypeInfo(0, locale, type_info.put())) || !type_info ||
        FAILED(type_info->GetIDsOfNames(names, 1, &member))) {
        if (FAILED(dispatch->GetIDsOfNames(IID_NULL, names, 1, locale, &member))) {
            return false;
        }
    }
    // IDispatch takes its arguments last first.
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS parameters{reversed.empty() ? nullptr : reversed.data(), nullptr,
                          static_cast<UINT>(reversed.size()), 0};
    UINT argument_error = 0;
    return SUCCEEDED(dispatch->Invoke(member, IID_NULL, locale, flags, &parameters, result, nullptr,
                                      &argument_error));
}

class winhttp_request final : public request_object {
  public:
    winhttp_request() : object_(create_running_object(REQUEST_PROG_ID)) {}

    void open(const std::string& method, const std::string& url, bool async) override {
        bstr method_text(bstr_from_ansi(method));
        bstr url_text(bstr_from_ansi(url));
        std::vector<VARIANT> arguments(3);
        arguments[0].vt = VT_BSTR;
        arguments[0].bstrVal = method_text.get();
        arguments[1].vt = VT_BSTR;
        arguments[1].bstrVal = url_text.get();
        arguments[2].vt = VT_BOOL;
        arguments[2].boolVal = async ? VARIANT_TRUE : VARIANT_FALSE;
        variant ignored;
        invoke_by_name(object_.get(), L"Open", DISPATCH_METHOD, arguments, ignored.get());
    }

    void send() override {
        std::vector<VARIANT> none;
        variant ignored;
        invoke_by_name(object_.get(), L"Send", DISPATCH_METHOD, none, ignored.get());
    }

    std::string response_body() override {
        std::vector<VARIANT> none;
        variant returned;
        variant body; // the read's own copy; stays VT_EMPTY when the read fails
        if (invoke_by_name(object_.get(), L"ResponseBody", DISPATCH_PROPERTYGET, none,
                           returned.get())) {
            VariantCopyInd(body.get(), returned.get());
        }
        return bytes_of_variant(body.value());
    }

  private:
    com_scope com_; // first in, last out: the object is released before COM is left
    com_ptr<IUnknown> object_;
};

} // namespace

std::unique_ptr<request_object> create_request_object() {
    return std::make_unique<winhttp_request>();
}
