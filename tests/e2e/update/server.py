#!/usr/bin/env python3
"""A static web server for the updater's tests that can misbehave.

    server.py --root TREE --port PORT --log FILE [--fault KIND:NAME]...

Serves TREE like any static server (HTTP/1.1, Content-Length on every
answer) on 127.0.0.1:PORT and writes one line per request to FILE: the
path, the User-Agent and the status. A fault applies to every file whose
last path component (decoded from CP949) is NAME:

    missing    404 with a small error page
    short      announces the whole length, sends half of it, hangs up
    nolength   no Content-Length: the body, then the connection closes
    slow       the body in 4 KiB pieces, 50 ms apart
"""
import argparse
import http.server
import os
import socket
import sys
import time
import urllib.parse


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--root", required=True)
    ap.add_argument("--port", type=int, required=True)
    ap.add_argument("--log", required=True)
    ap.add_argument("--fault", action="append", default=[])
    args = ap.parse_args()
    faults = {}
    for f in args.fault:
        kind, _, name = f.partition(":")
        faults[name] = kind
    root = os.fsencode(os.path.abspath(args.root))
    log = open(args.log, "a", buffering=1)

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, fmt, *a):
            pass

        def note(self, status):
            log.write("%s %s %d\n" % (self.path, self.headers.get("User-Agent", "-"), status))

        def send_body_headers(self, status, length, extra=()):
            self.send_response(status)
            self.send_header("Content-Type", "application/octet-stream")
            if length is not None:
                self.send_header("Content-Length", str(length))
            for k, v in extra:
                self.send_header(k, v)
            self.end_headers()

        def do_GET(self):
            raw = urllib.parse.unquote_to_bytes(self.path.split("?")[0]).lstrip(b"/")
            parts = raw.split(b"/")
            name = parts[-1].decode("cp949", "replace")
            path = os.path.join(root, *parts) if b".." not in parts else b""
            kind = faults.get(name)
            if kind == "missing" or not os.path.isfile(path):
                page = b"<html><body><h1>404 Not Found</h1></body></html>"
                self.note(404)
                self.send_body_headers(404, len(page), [("Content-Type", "text/html")])
                self.wfile.write(page)
                return
            with open(path, "rb") as f:
                body = f.read()
            self.note(200)
            try:
                if kind == "short":
                    self.send_body_headers(200, len(body))
                    self.wfile.write(body[: len(body) // 2])
                    self.wfile.flush()
                    self.connection.shutdown(socket.SHUT_RDWR)
                    self.close_connection = True
                elif kind == "nolength":
                    self.send_body_headers(200, None, [("Connection", "close")])
                    self.wfile.write(body)
                    self.close_connection = True
                elif kind == "slow":
                    self.send_body_headers(200, len(body))
                    for i in range(0, len(body), 4096):
                        self.wfile.write(body[i : i + 4096])
                        self.wfile.flush()
                        time.sleep(0.05)
                else:
                    self.send_body_headers(200, len(body))
                    self.wfile.write(body)
            except (BrokenPipeError, ConnectionResetError):
                self.close_connection = True

    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    print("server: listening on 127.0.0.1:%d" % args.port, flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
