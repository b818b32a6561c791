// Throughput of the song extraction against its alternatives, on three responses:
//   (a) a realistic 300-song playlist, (b) 10,000 songs, (c) 16 MiB of name keys that no
//   URL key follows. Run with scripts/bench.sh.
#include "search/song_extraction.h"

#include <benchmark/benchmark.h>
#include <boost/regex.hpp>

#include <cstring>
#include <regex>
#include <string>

namespace {

std::string playlist_response(int songs) {
    std::string text = "jsonCallback({qqmusic:{curtime:1765440000,issmarter:0,systemtime:"
                       "1765440000,xmusicnum:" +
                       std::to_string(songs) + ",playlist:{song:[\n";
    for (int i = 1; i <= songs; ++i) {
        const std::string n = std::to_string(i);
        // "第N首歌" and "歌手" in GBK, as the service sends them.
        text += "{xqusic_id:" + std::to_string(3000000 + i) +
                ",xctype:5,xexpire_time:0,xsong_name:\"\xB5\xDA" + n + "\xCA\xD7\xB8\xE8 Song " +
                n + "\",xsinger_id:" + n + ",xsinger_name:\"\xB8\xE8\xCA\xD6" + n +
                "\",xsong_url:'http://stream.music.example/qqmusic/" + n +
                ".mp3?vkey=0123456789abcdef',xsong_dissid:0},\n";
    }
    return text + "]}}})";
}

std::string name_keys_without_url(std::size_t bytes) {
    const std::string piece = "{xsong_name:\"n\",xsinger_name:\"s\"},";
    std::string text;
    text.reserve(bytes + piece.size());
    while (text.size() < bytes) {
        text += piece;
    }
    return text;
}

const std::string& response(int which) {
    static const std::string a = playlist_response(300);
    static const std::string b = playlist_response(10000);
    static const std::string c = name_keys_without_url(16u << 20);
    static const std::string c_small = name_keys_without_url(1u << 20);
    switch (which) {
    case 0:
        return a;
    case 1:
        return b;
    case 2:
        return c;
    default:
        return c_small;
    }
}

void set_label(benchmark::State& state) {
    static const char* const names[] = {"(a) 300 songs", "(b) 10,000 songs",
                                        "(c) 16 MiB name keys, no URL", "(c) 1 MiB name keys"};
    state.SetLabel(names[state.range(0)]);
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations()) *
        static_cast<std::int64_t>(response(static_cast<int>(state.range(0))).size()));
}

void ours(benchmark::State& state) {
    const std::string& text = response(static_cast<int>(state.range(0)));
    text_regex regex;
    regex_compile(regex, SONG_PATTERN);
    for (auto _ : state) {
        benchmark::DoNotOptimize(regex_find_all(regex, text));
    }
    set_label(state);
}

void bare_boost_loop(benchmark::State& state) {
    const std::string& text = response(static_cast<int>(state.range(0)));
    const boost::regex expression(SONG_PATTERN, boost::regex::perl);
    for (auto _ : state) {
        std::size_t found = 0;
        const char* start = text.data();
        const char* const end = text.data() + text.size();
        boost::cmatch match;
        try {
            while (boost::regex_search(start, end, match, expression, boost::match_default)) {
                ++found;
                start = match[0].second;
            }
        } catch (const std::exception&) {
        }
        benchmark::DoNotOptimize(found);
    }
    set_label(state);
}

void std_regex_loop(benchmark::State& state) {
    const std::string& text = response(static_cast<int>(state.range(0)));
    const std::regex expression(SONG_PATTERN);
    for (auto _ : state) {
        std::size_t found = 0;
        for (std::cregex_iterator it(text.data(), text.data() + text.size(), expression), last;
             it != last; ++it) {
            ++found;
        }
        benchmark::DoNotOptimize(found);
    }
    set_label(state);
}

// The floor: the same spans found with memmem and memchr, no regular expression at all.
void hand_scanner(benchmark::State& state) {
    const std::string& text = response(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::size_t found = 0;
        const char* p = text.data();
        const char* const end = text.data() + text.size();
        while (true) {
            const auto* name = static_cast<const char*>(
                memmem(p, static_cast<std::size_t>(end - p), "xsong_name:\"", 12));
            if (!name) {
                break;
            }
            const auto* name_end = static_cast<const char*>(
                std::memchr(name + 12, '"', static_cast<std::size_t>(end - name - 12)));
            if (!name_end) {
                break;
            }
            const auto* url = static_cast<const char*>(memmem(
                name_end + 1, static_cast<std::size_t>(end - name_end - 1), "xsong_url:'", 11));
            if (!url) {
                break;
            }
            const auto* url_end = static_cast<const char*>(
                std::memchr(url + 11, '\'', static_cast<std::size_t>(end - url - 11)));
            if (!url_end) {
                break;
            }
            ++found;
            p = url_end + 1;
        }
        benchmark::DoNotOptimize(found);
    }
    set_label(state);
}

} // namespace

BENCHMARK(ours)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(bare_boost_loop)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
// Boost on (c) hits its step limit only after seconds; 1 MiB shows the cost well enough.
BENCHMARK(bare_boost_loop)->Arg(3)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(std_regex_loop)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(hand_scanner)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
