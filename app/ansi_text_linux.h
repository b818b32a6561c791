// Conversion between the program's texts (CP936 bytes) and the UTF-8 of the Linux desktop.
#pragma once

#include <string>
#include <string_view>

// Decoded as GB18030, so that every GBK sequence shows; an invalid byte becomes U+FFFD.
std::string utf8_from_ansi(std::string_view ansi);

// A character that CP936 cannot hold becomes '?', as Windows does.
std::string ansi_from_utf8(std::string_view utf8);
