#include "search/song_extraction.h"

#include <boost/regex.hpp>

#include <algorithm>

namespace {

std::string_view up_to_first_nul(std::string_view text) {
    return text.substr(0, std::min(text.find('\0'), text.size()));
}

std::size_t find_from(std::string_view text, std::size_t from, std::string_view needle) {
    if (from > text.size()) {
        return std::string_view::npos;
    }
    return text.find(needle, from);
}

// SONG_PATTERN matches from `from` on exactly when a name key is followed by a closing
// double quote, then the URL key, then a closing single quote. Its lazy groups let Boost
// try every name key against the whole rest of the text when that chain is broken, which
// is quadratic and ends only at Boost's step limit (seconds for one MiB). The first name
// key is the one to check: a later key's closing quote cannot come before an earlier
// key's, so if the chain fails for the first key it fails for all of them.
bool song_pattern_can_match(std::string_view text, std::size_t from) {
    const std::size_t name_key = find_from(text, from, "xsong_name:\"");
    if (name_key == std::string_view::npos) {
        return false;
    }
    const std::size_t name_end = find_from(text, name_key + 12, "\"");
    if (name_end == std::string_view::npos) {
        return false;
    }
    const std::size_t url_key = find_from(text, name_end + 1, "xsong_url:'");
    if (url_key == std::string_view::npos) {
        return false;
    }
    return find_from(text, url_key + 11, "'") != std::string_view::npos;
}

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
    // Set only for SONG_PATTERN, whose structure allows a cheap check for futile searches.
    bool (*can_match)(std::string_view text, std::size_t from) = nullptr;
};

text_regex::text_regex() = default;
text_regex::~text_regex() = default;

bool regex_compile(text_regex& regex, std::string_view pattern) {
    pattern = up_to_first_nul(pattern);
    try {
        auto compiled = std::make_unique<text_regex::compiled>();
        compiled->expression.assign(pattern.data(), pattern.data() + pattern.size(),
                                    boost::regex::perl);
        if (pattern == SONG_PATTERN) {
            compiled->can_match = song_pattern_can_match;
        }
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
    try {
        boost::cmatch match;
        while (true) {
            if (compiled.can_match &&
                !compiled.can_match(buffer, static_cast<std::size_t>(start - begin))) {
                break;
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
