#!/usr/bin/env python3
# A static web server for the updater's and the banner's tests that can misbehave.
#
#     server.py TREE PORT LOG [KIND:NAME]...
#
# Serves TREE on 127.0.0.1 (HTTP/1.1, Content-Length on every answer, 404 for
# what is missing). Logs to LOG "START path agent" per request and "DONE|CUT
# path status bytes" when the body was sent or the client went away. Faults
# apply to files whose last path component (CP949) is NAME: missing (404), short
# (half the announced length, then hang up), nolength (no Content-Length, the
# connection closes), slow (2 KiB pieces 100 ms apart; also for a file NAME
# with NAME.slow beside it).
import http.server
import os
import socket
import sys
import time
import urllib.parse

tree, port, logname, *fault_args = sys.argv[1:]
faults = {name: kind for kind, _, name in (f.partition(":") for f in fault_args)}
root = os.fsencode(os.path.abspath(tree))
log = open(logname, "a", buffering=1, encoding="utf-8")


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *a):
        pass

    def do_GET(self):
        raw = urllib.parse.unquote_to_bytes(self.path.split("?")[0])
        parts = [p for p in raw.split(b"/") if p]
        path, name = raw.decode("cp949", "replace"), parts[-1].decode("cp949", "replace") if parts else ""
        log.write("START %s %s\n" % (path, self.headers.get("User-Agent", "-")))
        file = os.path.join(root, *parts) if parts and b".." not in parts else b""
        kind = faults.get(name)
        if kind == "missing" or not os.path.isfile(file):
            status, body, kind = 404, b"<html><body><h1>404 Not Found</h1></body></html>", None
        else:
            status, body = 200, open(file, "rb").read()
        step = 2048 if status == 200 and (kind == "slow" or os.path.isfile(file + b".slow")) else len(body)
        self.send_response(status)
        self.send_header("Content-Type", "application/octet-stream")
        if kind == "nolength":
            self.send_header("Connection", "close")
            self.close_connection = True
        else:
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        sent, end = 0, len(body) // 2 if kind == "short" else len(body)
        try:
            while sent < end:
                time.sleep(0.1 if sent else 0)
                self.wfile.write(body[sent:min(end, sent + step)])
                self.wfile.flush()
                sent = min(end, sent + step)
            if kind == "short":
                self.connection.shutdown(socket.SHUT_RDWR)
                self.close_connection = True
            log.write("DONE %s %d %d\n" % (path, status, sent))
        except (BrokenPipeError, ConnectionResetError):
            log.write("CUT %s %d %d\n" % (path, status, sent))
            self.close_connection = True


server = http.server.ThreadingHTTPServer(("127.0.0.1", int(port)), Handler)
server.daemon_threads = True
server.serve_forever()
