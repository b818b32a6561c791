#include "search/search_command.h"

#include "app/controls.h"
#include "app/result_list/result_list.h"
#include "search/song_extraction.h"
#include "web/web_request.h"

void on_search_clicked() {
    control_set_disabled(control_id::按钮_搜索, true);
    const std::string qq_number = control_get_text(control_id::编辑框_QQ号码);
    search_songs(qq_number);
    control_set_disabled(control_id::按钮_搜索, false);
}

std::string status_text_for(int count) {
    return "一共搜索到 [" + std::to_string(count) + "]首歌曲...";
}

void search_songs(const std::string& qq_number) {
    text_regex regex;
    std::string url = PLAYLIST_URL_PREFIX + qq_number;
    const std::string page = web_request("GET", url);

    regex_compile(regex, SONG_PATTERN);
    const match_list matches = regex_find_all(regex, page);

    // The old rows stay until the new response has been searched, so a slow or failed
    // request never leaves the user looking at an empty list mid-way.
    list_delete_all();
    const std::size_t count = matches.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::int32_t row = list_insert_item(std::to_string(i + 1));
        list_set_item_text(row, 1, match_group_text(matches[i], page, 1));
        list_set_item_text(row, 2, match_group_text(matches[i], page, 3));
    }
    control_set_text(control_id::标签_状态, status_text_for(list_item_count()));
}
