#include "app/ansi_text_linux.h"

#include <gtest/gtest.h>

namespace {

// Byte escapes throughout, so that the cases do not depend on the literal encoding.
struct decode_case {
    const char* what;
    std::string ansi;
    std::string utf8;
};

class utf8_from_ansi_cases : public testing::TestWithParam<decode_case> {};

TEST_P(utf8_from_ansi_cases, decodes_gbk_and_marks_what_is_not) {
    EXPECT_EQ(utf8_from_ansi(GetParam().ansi), GetParam().utf8) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    cases, utf8_from_ansi_cases,
    testing::Values(decode_case{"ASCII", "http://x/1.mp3", "http://x/1.mp3"},
                    decode_case{"GBK", "\xC7\xE7\xCC\xEC", "\xE6\x99\xB4\xE5\xA4\xA9"},
                    decode_case{"full-width colon", "\xA3\xBA", "\xEF\xBC\x9A"},
                    decode_case{"an invalid byte", "a\x80z", "a\xEF\xBF\xBDz"},
                    decode_case{"a lead byte cut off at the end", "ab\xC7", "ab\xEF\xBF\xBD"},
                    decode_case{"NUL is kept", std::string("a\0b", 3), std::string("a\0b", 3)},
                    decode_case{"empty", "", ""}));

struct encode_case {
    const char* what;
    std::string utf8;
    std::string ansi;
};

class ansi_from_utf8_cases : public testing::TestWithParam<encode_case> {};

TEST_P(ansi_from_utf8_cases, encodes_as_cp936_with_a_question_mark_for_the_rest) {
    EXPECT_EQ(ansi_from_utf8(GetParam().utf8), GetParam().ansi) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    cases, ansi_from_utf8_cases,
    testing::Values(encode_case{"ASCII", "10001", "10001"},
                    encode_case{"Chinese", "\xE6\x99\xB4\xE5\xA4\xA9", "\xC7\xE7\xCC\xEC"},
                    encode_case{"an emoji is one question mark", "a\xF0\x9F\x98\x80z", "a?z"},
                    encode_case{"Thai is not in CP936", "\xE0\xB8\x81", "?"},
                    encode_case{"broken UTF-8", "a\xFFz", "a?z"}));

} // namespace
