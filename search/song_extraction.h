// Picks song entries out of a playlist response with Boost.Regex.
//
// A record holds only positions into the searched text, so the caller keeps that
// text unchanged for as long as it cuts group texts out of it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One song entry: name in double quotes, anything, then the URL in single quotes.
inline constexpr char SONG_PATTERN[] = "xsong_name:\"(.*?)\"(.*?)xsong_url:'(.*?)'";

struct match_span {
    std::int32_t start = 0;
    std::int32_t length = 0;
    bool matched = false;
};

// One match: the span of group 0 (the whole match), then one span per group.
struct match_record {
    std::vector<match_span> spans;
};

using match_list = std::vector<match_record>;

// A compiled expression; empty until regex_compile succeeds, and an empty one matches nothing.
class text_regex {
  public:
    text_regex();
    ~text_regex();
    text_regex(const text_regex&) = delete;
    text_regex& operator=(const text_regex&) = delete;

    struct compiled;

  private:
    std::unique_ptr<compiled> compiled_;
    friend bool regex_compile(text_regex& regex, std::string_view pattern);
    friend match_list regex_find_all(const text_regex& regex, std::string_view text);
};

// Perl syntax, case-sensitive. On an invalid pattern returns false and keeps what it held.
bool regex_compile(text_regex& regex, std::string_view pattern);

// Every match, left to right, each search starting where the previous match ended.
// The text counts up to its first NUL. An error inside the library ends the search and
// keeps the records found before it.
match_list regex_find_all(const text_regex& regex, std::string_view text);

// The bytes of one group, or the empty text when the group took no part or is empty.
std::string match_group_text(const match_record& record, std::string_view text, std::int32_t group);
