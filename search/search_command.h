// The search button: fetch a user's playlist and list its songs.
#pragma once

#include <string>

inline constexpr char PLAYLIST_URL_PREFIX[] =
    "http://qzone-music.qq.com/fcg-bin/cgi_playlist_xml.fcg?json=1&uin=";

// Click handler of 按钮_搜索.
void on_search_clicked();

// Fetches the playlist of `qq_number` (used as typed), fills the result list and writes
// the song count into 标签_状态.
void search_songs(const std::string& qq_number);

// "一共搜索到 [N]首歌曲..."
std::string status_text_for(int count);
