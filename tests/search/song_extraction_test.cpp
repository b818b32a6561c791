#include "search/song_extraction.h"

#include <gtest/gtest.h>

#include <boost/regex.hpp>

#include <string>
#include <vector>

namespace {

struct found {
    std::string name, between, url;
    friend bool operator==(const found&, const found&) = default;
    friend std::ostream& operator<<(std::ostream& out, const found& f) {
        return out << "{name=\"" << f.name << "\", url=\"" << f.url << "\"}";
    }
};

std::vector<found> extract(const std::string& text) {
    text_regex regex;
    EXPECT_TRUE(regex_compile(regex, SONG_PATTERN));
    std::vector<found> result;
    for (const match_record& record : regex_find_all(regex, text)) {
        result.push_back({match_group_text(record, text, 1), match_group_text(record, text, 2),
                          match_group_text(record, text, 3)});
    }
    return result;
}

std::string entry(const std::string& name, const std::string& url) {
    return "{xqusic_id:1,xsong_name:\"" + name + "\",xsinger_name:\"s\",xsong_url:'" + url +
           "',xsong_dissid:0}";
}

struct extraction_case {
    const char* what;
    std::string text;
    std::vector<std::pair<std::string, std::string>> expected; // name, url
};

class extraction : public testing::TestWithParam<extraction_case> {};

TEST_P(extraction, yields_the_names_and_urls_in_response_order) {
    std::vector<std::pair<std::string, std::string>> got;
    for (const found& f : extract(GetParam().text)) {
        got.emplace_back(f.name, f.url);
    }
    EXPECT_EQ(got, GetParam().expected) << GetParam().what;
}

// GBK bytes of "晴天" (C7 E7 CC EC) and of "歌" (B8 E8), written as escapes so that the
// test does not depend on the execution character set.
const std::string QING_TIAN = "\xC7\xE7\xCC\xEC";
const std::string GE = "\xB8\xE8";

INSTANTIATE_TEST_SUITE_P(
    cases, extraction,
    testing::Values(
        extraction_case{"empty text", "", {}},
        extraction_case{"no entry", "jsonCallback({qqmusic:{xmusicnum:0}})", {}},
        extraction_case{"three entries in order",
                        entry("a", "u1") + "," + entry("b", "u2") + "," + entry("c", "u3"),
                        {{"a", "u1"}, {"b", "u2"}, {"c", "u3"}}},
        extraction_case{
            "empty name and empty url", entry("", "u1") + entry("n", ""), {{"", "u1"}, {"n", ""}}},
        extraction_case{"GBK bytes pass through unchanged",
                        entry(QING_TIAN, "http://x/" + GE + ".mp3"),
                        {{QING_TIAN, "http://x/" + GE + ".mp3"}}},
        extraction_case{"line breaks between keys and inside name and url",
                        "xsong_name:\"a\r\nb\",\n\f xsong_url:'http://x/\ny'",
                        {{"a\r\nb", "http://x/\ny"}}},
        extraction_case{"a double quote ends the name; a backslash escape stays",
                        entry("say \\\"hi\\\"", "u"),
                        {{"say \\", "u"}}},
        extraction_case{
            "a single quote cuts the url", entry("n", "http://x/it's"), {{"n", "http://x/it"}}},
        extraction_case{"an entry without url pairs with the next url",
                        "xsong_name:\"first\",x:1," + entry("second", "u2"),
                        {{"first", "u2"}}},
        extraction_case{"a name key with no url key after it",
                        entry("a", "u") + "xsong_name:\"lonely\",more",
                        {{"a", "u"}}},
        extraction_case{"keys written differently are not recognised",
                        "XSONG_NAME:\"a\",xsong_url:'u1' xsong_name: \"b\",xsong_url:'u2' "
                        "xsong_name:'c',xsong_url:'u3' ",
                        {}},
        extraction_case{"a double quote after the url key is not an url",
                        "xsong_name:\"a\",xsong_url:\"u1\"",
                        {}},
        extraction_case{"the text ends at its first NUL",
                        entry("a", "u1") + std::string(1, '\0') + entry("b", "u2"),
                        {{"a", "u1"}}}));

TEST(extraction_records, hold_four_spans_that_point_into_the_text) {
    const std::string text = "zz" + entry("ab", "cde");
    text_regex regex;
    ASSERT_TRUE(regex_compile(regex, SONG_PATTERN));
    const match_list records = regex_find_all(regex, text);
    ASSERT_EQ(records.size(), 1U);
    const auto& spans = records[0].spans;
    ASSERT_EQ(spans.size(), 4U);
    EXPECT_EQ(spans[0].start, static_cast<int>(text.find("xsong_name")));
    EXPECT_EQ(spans[0].start + spans[0].length, static_cast<int>(text.find("cde'") + 4));
    EXPECT_EQ(spans[1].start, static_cast<int>(text.find("ab")));
    EXPECT_EQ(spans[1].length, 2);
    EXPECT_EQ(spans[3].length, 3);
    for (const match_span& span : spans) {
        EXPECT_TRUE(span.matched);
    }
    EXPECT_EQ(match_group_text(records[0], text, 0).substr(0, 12), "xsong_name:\"");
}

TEST(extraction_records, an_empty_group_took_part_with_length_zero) {
    const std::string text = entry("", "u");
    text_regex regex;
    regex_compile(regex, SONG_PATTERN);
    const match_list records = regex_find_all(regex, text);
    ASSERT_EQ(records.size(), 1U);
    EXPECT_TRUE(records[0].spans[1].matched);
    EXPECT_EQ(records[0].spans[1].length, 0);
    EXPECT_EQ(match_group_text(records[0], text, 1), "");
}

TEST(group_text, is_empty_for_groups_and_records_that_hold_nothing) {
    const std::string text = "0123456789";
    const match_record none{};
    const match_record unmatched{{{0, 5, true}, {2, 3, false}}};
    const match_record beyond_the_text{{{8, 5, true}}};
    EXPECT_EQ(match_group_text(none, text, 0), "");
    EXPECT_EQ(match_group_text(unmatched, text, 1), "");
    EXPECT_EQ(match_group_text(unmatched, text, 0), "01234");
    EXPECT_EQ(match_group_text(unmatched, text, 7), "") << "a group the record does not have";
    EXPECT_EQ(match_group_text(beyond_the_text, text, 0), "") << "a span past the end";
}

TEST(compile, an_invalid_pattern_fails_and_leaves_the_expression_as_it_was) {
    text_regex regex;
    EXPECT_FALSE(regex_compile(regex, "(unclosed"));
    EXPECT_TRUE(regex_find_all(regex, entry("a", "u")).empty()) << "never compiled";

    ASSERT_TRUE(regex_compile(regex, SONG_PATTERN));
    EXPECT_FALSE(regex_compile(regex, "[z-a]"));
    EXPECT_EQ(regex_find_all(regex, entry("a", "u")).size(), 1U) << "keeps SONG_PATTERN";
}

TEST(compile, the_pattern_counts_up_to_its_first_nul) {
    text_regex regex;
    ASSERT_TRUE(regex_compile(regex, std::string("b+\0(", 4)));
    const match_list records = regex_find_all(regex, "abbbc");
    ASSERT_EQ(records.size(), 1U);
    EXPECT_EQ(records[0].spans[0].length, 3);
}

TEST(find_all, other_patterns_search_on_from_the_end_of_each_match) {
    text_regex regex;
    ASSERT_TRUE(regex_compile(regex, "a.c"));
    const std::string text = "abcaXcabc";
    std::vector<std::string> got;
    for (const match_record& r : regex_find_all(regex, text)) {
        got.push_back(match_group_text(r, text, 0));
    }
    EXPECT_EQ(got, (std::vector<std::string>{"abc", "aXc", "abc"}));
}

// Every record must be what a plain loop of boost::regex_search returns, including on
// responses where the futile-search check cuts the search short.
match_list plain_boost_records(const std::string& text) {
    const boost::regex expression(SONG_PATTERN, boost::regex::perl);
    match_list records;
    const char* start = text.data();
    const char* const end = text.data() + text.size();
    boost::cmatch match;
    try {
        while (boost::regex_search(start, end, match, expression, boost::match_default)) {
            match_record record;
            for (std::size_t g = 0; g < match.size(); ++g) {
                const auto& sub = match[static_cast<int>(g)];
                record.spans.push_back(
                    {sub.matched ? static_cast<std::int32_t>(sub.first - text.data()) : 0,
                     sub.matched ? static_cast<std::int32_t>(sub.second - sub.first) : 0,
                     sub.matched});
            }
            records.push_back(record);
            start = match[0].second;
        }
    } catch (const std::exception&) {
    }
    return records;
}

bool same_records(const match_list& a, const match_list& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].spans.size() != b[i].spans.size()) {
            return false;
        }
        for (std::size_t g = 0; g < a[i].spans.size(); ++g) {
            const match_span& x = a[i].spans[g];
            const match_span& y = b[i].spans[g];
            if (x.start != y.start || x.length != y.length || x.matched != y.matched) {
                return false;
            }
        }
    }
    return true;
}

class same_as_plain_boost : public testing::TestWithParam<std::string> {};

TEST_P(same_as_plain_boost, records_are_unchanged_by_the_futile_search_check) {
    const std::string& text = GetParam();
    text_regex regex;
    ASSERT_TRUE(regex_compile(regex, SONG_PATTERN));
    EXPECT_TRUE(same_records(regex_find_all(regex, text), plain_boost_records(text)));
}

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    responses, same_as_plain_boost,
    testing::Values(entry("a", "u") + entry("b", "v"), entry("a", "u") + "xsong_name:\"dangling",
                    entry("a", "u") + "xsong_name:\"closed\" but no url key",
                    entry("a", "u") + "xsong_name:\"n\",xsong_url:'no closing quote",
                    "xsong_name:\"a\" xsong_name:\"b\" xsong_url:'u' tail",
                    "xsong_name:\"\"xsong_url:''", "\"xsong_url:'u'xsong_name:\"x\"",
                    "xsong_name:\"a\"xsong_url:''", "xsong_name:\"a\"xsong_url:'",
                    "xsong_url:'u' xsong_name:\"a\"xsong_url:'",
                    "xsong_name:\"a\" xsong_url:'u' xsong_name:\"b\"xsong_url:'v",
                    "xsong_name:\"xsong_url:'u'\"", "xsong_name:\"n\"xsong_url:'xsong_url:'",
                    "xsong_name:\"n\"xsong_url:'u'xsong_name:\"'\"xsong_url:'",
                    repeated("xsong_name:\"n\",", 200) + entry("last", "u"),
                    repeated(entry("s", "u"), 50) + repeated("xsong_name:\"n\",", 300)));

TEST(futile_search, many_name_keys_without_an_url_key_keep_the_entries_before_them) {
    // A response of name keys alone used to keep Boost busy for seconds per MiB.
    const std::string text =
        entry("first", "u1") + repeated("{xsong_name:\"n\",xsinger_name:\"s\"},", 60000);
    const std::vector<found> got = extract(text);
    ASSERT_EQ(got.size(), 1U);
    EXPECT_EQ(got[0].name, "first");
}

} // namespace
