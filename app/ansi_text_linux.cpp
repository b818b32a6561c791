#include "app/ansi_text_linux.h"

#include <cerrno>
#include <iconv.h>

namespace {

class iconv_converter {
  public:
    iconv_converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~iconv_converter() {
        if (handle_ != invalid()) {
            iconv_close(handle_);
        }
    }
    iconv_converter(const iconv_converter&) = delete;
    iconv_converter& operator=(const iconv_converter&) = delete;

    // Converts all of `input`; each byte sequence that cannot be converted is skipped
    // (`skip_bytes` of it) and `replacement` is written in its place.
    std::string convert(std::string_view input, std::string_view replacement,
                        std::size_t skip_bytes_of_invalid(std::string_view rest)) {
        std::string output;
        if (handle_ == invalid()) {
            return output;
        }
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        std::size_t in_left = input.size();
        char chunk[4096];
        while (in_left > 0) {
            char* out = chunk;
            std::size_t out_left = sizeof chunk;
            const std::size_t result = iconv(handle_, &in, &in_left, &out, &out_left);
            output.append(chunk, static_cast<std::size_t>(out - chunk));
            if (result != static_cast<std::size_t>(-1)) {
                continue;
            }
            if (errno == E2BIG) {
                continue;
            }
            // EILSEQ, or EINVAL for a sequence cut off at the end of the input.
            const std::size_t skip = skip_bytes_of_invalid({in, in_left});
            output += replacement;
            in += skip;
            in_left -= skip;
        }
        return output;
    }

  private:
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }
    iconv_t handle_;
};

std::size_t one_byte(std::string_view /*rest*/) {
    return 1;
}

// Skips one whole UTF-8 character, so that a character CP936 lacks becomes one '?'.
std::size_t one_utf8_character(std::string_view rest) {
    std::size_t length = 1;
    while (length < rest.size() && length < 4 &&
           (static_cast<unsigned char>(rest[length]) & 0xC0) == 0x80) {
        ++length;
    }
    return length;
}

} // namespace

std::string utf8_from_ansi(std::string_view ansi) {
    iconv_converter converter("UTF-8", "GB18030");
    return converter.convert(ansi, "\xEF\xBF\xBD", one_byte);
}

std::string ansi_from_utf8(std::string_view utf8) {
    iconv_converter converter("CP936", "UTF-8");
    return converter.convert(utf8, "?", one_utf8_character);
}
