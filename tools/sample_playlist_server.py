#!/usr/bin/env python3
"""Sample playlist server: answers the playlist interface offline, on 127.0.0.1.

It speaks plain HTTP and also takes proxy-form requests (an absolute URL in the request
line), so the program reaches it through its real playlist URL with
    http_proxy=http://127.0.0.1:PORT

Playlist requests (/fcg-bin/cgi_playlist_xml.fcg?json=1&uin=...) are answered by uin:
    anything else     the sample playlist: six songs, Chinese names, one empty name
    0                 a playlist with no songs
    many-N            N generated songs (for benchmarks)
    fault-404         404 with a body that holds one song entry
    fault-500         500 with a body that holds one song entry
    fault-nul         the sample playlist with a NUL byte after its second song
    fault-redirect    302 to the sample playlist
    fault-silent      accepts the request and never answers
Other paths:
    /echo             the raw request target, as it arrived, as the body
    /status/N         status N with a short body
    /nul              "before" NUL "after"
    /redirect?to=URL  302 to URL
    /redirect-loop    302 to itself, forever
    /redirect-chain?n=N  N redirects in a row, then "arrived"
    /headers          the request's header lines as the body
    /silent           accepts and never answers

Responses are GBK, as the service sends them.
"""
import argparse
import http.server
import os
import signal
import socketserver
import sys
import threading
import time
import urllib.parse

SAMPLE_SONGS = [
    ("晴天", "周杰伦", "http://stream.music.example/qqmusic/1001.mp3"),
    ("Yesterday Once More", "Carpenters", "http://stream.music.example/qqmusic/1002.mp3"),
    ("", "佚名", "http://stream.music.example/qqmusic/1003.mp3"),
    ("月亮代表我的心", "邓丽君", "http://stream.music.example/qqmusic/1004.wma"),
    ("海阔天空（现场版）", "Beyond", "http://stream.music.example/qqmusic/歌曲1005.mp3"),
    ("Nocturne 夜曲", "周杰伦", "http://stream.music.example/qqmusic/1006.mp3?vkey=ab&guid=1"),
]


def song_entry(index, name, singer, url):
    return (
        '{xqusic_id:%d,xctype:5,xexpire_time:0,xsong_name:"%s",xsinger_id:%d,'
        'xsinger_name:"%s",xsong_url:\'%s\',xsong_dissid:0}'
        % (3000000 + index, name, 100 + index, singer, url)
    )


def playlist(songs):
    entries = ",\n".join(song_entry(i, *song) for i, song in enumerate(songs, 1))
    text = (
        "jsonCallback({qqmusic:{curtime:1765440000,issmarter:0,systemtime:1765440000,"
        "xmusicnum:%d,playlist:{song:[\n%s\n]}}})" % (len(songs), entries)
    )
    return text.encode("gbk")


def generated_songs(count):
    return [
        ("第%d首歌 Song %d" % (i, i), "歌手%d" % (i % 97), "http://stream.music.example/gen/%d.mp3" % i)
        for i in range(1, count + 1)
    ]


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "SamplePlaylist/1.0"

    def log_message(self, fmt, *args):
        if self.server.verbose:
            super().log_message(fmt, *args)

    def send_body(self, status, body, content_type="application/x-javascript; charset=GBK", headers=()):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def redirect(self, location):
        self.send_body(302, b"moved", "text/plain", [("Location", location)])

    def never_answer(self):
        # Hold the connection open with nothing sent until the client gives up.
        while not self.server.stopping:
            time.sleep(0.2)
        self.close_connection = True

    def do_GET(self):
        target = self.path
        parsed = urllib.parse.urlsplit(target)
        path = parsed.path if parsed.scheme else target.split("?", 1)[0]
        query = parsed.query if parsed.scheme else (target.split("?", 1)[1] if "?" in target else "")
        params = urllib.parse.parse_qs(query, keep_blank_values=True, encoding="latin-1")

        if path == "/fcg-bin/cgi_playlist_xml.fcg":
            return self.playlist(params.get("uin", [""])[0])
        if path == "/echo":
            return self.send_body(200, target.encode("latin-1"), "text/plain")
        if path.startswith("/status/"):
            status = int(path.rsplit("/", 1)[1])
            return self.send_body(status, ("状态 %d body" % status).encode("gbk"), "text/plain; charset=GBK")
        if path == "/nul":
            return self.send_body(200, b"before\0after", "text/plain")
        if path == "/redirect":
            return self.redirect(params.get("to", ["/echo"])[0])
        if path == "/redirect-chain":
            left = int(params.get("n", ["0"])[0])
            if left <= 0:
                return self.send_body(200, b"arrived", "text/plain")
            return self.redirect("/redirect-chain?n=%d" % (left - 1))
        if path == "/headers":
            return self.send_body(200, str(self.headers).encode("latin-1"), "text/plain")
        if path == "/redirect-loop":
            return self.redirect("/redirect-loop")
        if path == "/silent":
            return self.never_answer()
        return self.send_body(404, b"no such page", "text/plain")

    do_HEAD = do_GET
    do_POST = do_GET

    def playlist(self, uin):
        if uin == "0":
            return self.send_body(200, playlist([]))
        if uin.startswith("many-") and uin[5:].isdigit():
            return self.send_body(200, playlist(generated_songs(int(uin[5:]))))
        if uin in ("fault-404", "fault-500"):
            body = ("错误页 " + song_entry(1, "错误", "无", "http://error.example/e.mp3")).encode("gbk")
            return self.send_body(int(uin[6:]), body)
        if uin == "fault-nul":
            body = playlist(SAMPLE_SONGS)
            cut = body.index(b"xsong_name:", body.index(b"xsong_url:") + 1)
            cut = body.index(b"}", cut) + 1
            return self.send_body(200, body[:cut] + b"\0" + body[cut:])
        if uin == "fault-redirect":
            return self.redirect("http://qzone-music.qq.com/fcg-bin/cgi_playlist_xml.fcg?json=1&uin=10001")
        if uin == "fault-silent":
            return self.never_answer()
        return self.send_body(200, playlist(SAMPLE_SONGS))


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True
    stopping = False
    verbose = False


def serve(port, verbose, ready_fd=None):
    server = Server(("127.0.0.1", port), Handler)
    server.verbose = verbose

    def stop(*_):
        server.stopping = True
        threading.Thread(target=server.shutdown, daemon=True).start()

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    if ready_fd is not None:
        os.write(ready_fd, b"%d\n" % server.server_address[1])
        os.close(ready_fd)
    print("sample playlist server on http://127.0.0.1:%d" % server.server_address[1], flush=True)
    server.serve_forever()


def start_in_background(port, pidfile):
    read_fd, write_fd = os.pipe()
    pid = os.fork()
    if pid == 0:
        os.close(read_fd)
        os.setsid()
        devnull = os.open(os.devnull, os.O_RDWR)
        for fd in (0, 1, 2):
            os.dup2(devnull, fd)
        try:
            serve(port, False, write_fd)
        finally:
            os._exit(0)
    os.close(write_fd)
    with os.fdopen(read_fd) as ready:
        line = ready.readline().strip()  # the port once listening; empty if it failed
    if not line:
        sys.exit("sample server could not listen on port %d" % port)
    with open(pidfile, "w") as f:
        f.write("%d\n" % pid)
    print("sample playlist server on http://127.0.0.1:%s (pid %d)" % (line, pid))


def stop_background(pidfile):
    try:
        with open(pidfile) as f:
            pid = int(f.read())
    except (OSError, ValueError):
        return
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    os.unlink(pidfile)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--port", type=int, default=8080)
    parser.add_argument("--background", action="store_true", help="detach once listening")
    parser.add_argument("--stop", action="store_true", help="stop the server of --pidfile")
    parser.add_argument("--pidfile", default="sample_server.pid")
    parser.add_argument("--verbose", action="store_true", help="log every request")
    args = parser.parse_args()
    if args.stop:
        return stop_background(args.pidfile)
    if args.background:
        stop_background(args.pidfile)
        return start_in_background(args.port, args.pidfile)
    serve(args.port, args.verbose)


if __name__ == "__main__":
    main()
