#include "search/song_extraction.h"

#include <boost/regex.hpp>

#include <algorithm>
#include <optional>

namespace {

std::string_view up_to_first_nul(std::string_view text) {
    return text.substr(0, std::min(text.find('\0'), text.size()));
}

constexpr std::string_view NAME_KEY = "xsong_name:\"";
constexpr std::string_view URL_KEY = "xsong_url:'";

// Tells where SONG_PATTERN can still match, in time linear in the text. The pattern's lazy
// groups let Boost try every name key against the whole rest of the text when no URL
// follows, which is quadratic and ends only at Boost's step limit (seconds for one MiB).
//
// A match from `from` on exists exactly when the first name key after `from` is followed
// by its closing double quote, then an URL key, then a closing single quote. The first
// name key decides: a later key's closing quote cannot come before an earlier key's. And
// whether an URL key with a closing quote lies beyond a position needs only the last such
// key, found once per text.
class song_match_guard {
  public:
    explicit song_match_guard(std::string_view text) : text_(text) {
        const std::size_t last_quote = text.rfind('\'');
        if (last_quote != std::string_view::npos && last_quote >= URL_KEY.size()) {
            last_url_key_ = text.rfind(URL_KEY, last_quote - URL_KEY.size());
        }
    }

    // Where the next match starts, at or after `from`; npos when there is none.
    std::size_t next_match_start(std::size_t from) const {
        if (last_url_key_ == std::string_view::npos) {
            return std::string_view::npos;
        }
        const std::size_t name_key = text_.find(NAME_KEY, from);
        if (name_key == std::string_view::npos) {
            return std::string_view::npos;
        }
        const std::size_t name_end = text_.find('"', name_key + NAME_KEY.size());
        if (name_end == std::string_view::npos || last_url_key_ <= name_end) {
            return std::string_view::npos;
        }
        return name_key;
    }

  private:
    std::string_view text_;
    std::size_t last_url_key_ = std::string_view::npos;
};

match_record record_of(const boost::cmatch& match, const char* buffer_begin) {
    match_record record;
    record.spans.reserve(match.size());
    for (std::size_t group = 0; group < match.size(); ++group) {
        const auto& sub = match[static_cast<int>(group)];
        match_span span;
        span.matched = sub.matched;
        if (sub.matched) {
            span.start = static_cast<std::int32_t>(sub.first - buffer_begin);
            span.length = static_cast<std::int32_t>(sub.second - sub.first);
        }
        record.spans.push_back(span);
    }
    return record;
}

} // namespace

struct text_regex::compiled {
    boost::regex expression;
    // SONG_PATTERN's structure allows a cheap check for futile searches.
    bool is_song_pattern = false;
};

text_regex::text_regex() = default;
text_regex::~text_regex() = default;

bool regex_compile(text_regex& regex, std::string_view pattern) {
    pattern = up_to_first_nul(pattern);
    try {
        auto compiled = std::make_unique<text_regex::compiled>();
        compiled->expression.assign(pattern.data(), pattern.data() + pattern.size(),
                                    boost::regex::perl);
        compiled->is_song_pattern = pattern == SONG_PATTERN;
        regex.compiled_ = std::move(compiled);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

match_list regex_find_all(const text_regex& regex, std::string_view text) {
    match_list records;
    // Positions are counted in the private copy, which equals the text up to its NUL.
    const std::string buffer(up_to_first_nul(text));
    if (buffer.empty() || !regex.compiled_) {
        return records;
    }
    const text_regex::compiled& compiled = *regex.compiled_;
    const char* const begin = buffer.data();
    const char* const end = begin + buffer.size();
    const char* start = begin;
    std::optional<song_match_guard> guard;
    if (compiled.is_song_pattern) {
        guard.emplace(buffer);
    }
    try {
        boost::cmatch match;
        while (true) {
            if (guard) {
                // Starting Boost at the match's own first byte finds the same match: the
                // pattern has no anchors or look-behind that could see the bytes before it.
                const std::size_t next =
                    guard->next_match_start(static_cast<std::size_t>(start - begin));
                if (next == std::string_view::npos) {
                    break;
                }
                start = begin + next;
            }
            if (!boost::regex_search(start, end, match, compiled.expression,
                                     boost::match_default)) {
                break;
            }
            records.push_back(record_of(match, begin));
            const char* const match_end = match[0].second;
            // An empty match would find itself again; step over one byte instead.
            start = match_end == start && match[0].first == match_end ? match_end + 1 : match_end;
            if (start > end) {
                break;
            }
        }
    } catch (const std::exception&) {
        // Step limit, stack or memory exhausted: keep what was found so far.
    }
    return records;
}

std::string match_group_text(const match_record& record, std::string_view text,
                             std::int32_t group) {
    if (record.spans.empty() || group < 0 ||
        static_cast<std::size_t>(group) >= record.spans.size()) {
        return {};
    }
    const match_span& span = record.spans[static_cast<std::size_t>(group)];
    if (!span.matched || span.length <= 0 || span.start < 0) {
        return {};
    }
    const auto start = static_cast<std::size_t>(span.start);
    const auto length = static_cast<std::size_t>(span.length);
    if (start > text.size() || length > text.size() - start) {
        return {};
    }
    try {
        return std::string(text.substr(start, length));
    } catch (const std::exception&) {
        return {};
    }
}
