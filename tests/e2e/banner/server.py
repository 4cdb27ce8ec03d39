#!/usr/bin/env python3
"""The vendor's web server as the banner tests need it.

    server.py --root TREE --port-file FILE --log FILE

Serves TREE on 127.0.0.1 at a free port (written to FILE) with HTTP/1.1
and a Content-Length on every answer; a missing file gets a 404 page. A
file NAME with a file NAME.slow beside it is sent in 2 KiB pieces 100 ms
apart. Each request leaves two lines in the log: "START path agent" when it
arrives and "DONE path status bytes" or "CUT path status bytes" when the
body was sent or the client went away.
"""
import argparse
import http.server
import os
import time
import urllib.parse


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--root", required=True)
    ap.add_argument("--port-file", required=True)
    ap.add_argument("--log", required=True)
    args = ap.parse_args()
    root = os.path.abspath(args.root)
    log = open(args.log, "a", buffering=1)

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, fmt, *a):
            pass

        def do_GET(self):
            path = urllib.parse.unquote(self.path.split("?")[0])
            log.write("START %s %s\n" % (path, self.headers.get("User-Agent", "-")))
            parts = [p for p in path.split("/") if p]
            file = os.path.join(root, *parts) if ".." not in parts else ""
            if file and os.path.isfile(file):
                status, body = 200, open(file, "rb").read()
            else:
                status, body = 404, b"<html><body><h1>404 Not Found</h1></body></html>"
            slow = status == 200 and os.path.isfile(file + ".slow")
            self.send_response(status)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            sent = 0
            try:
                step = 2048 if slow else len(body)
                while sent < len(body):
                    self.wfile.write(body[sent:sent + step])
                    self.wfile.flush()
                    sent += len(body[sent:sent + step])
                    if slow:
                        time.sleep(0.1)
                log.write("DONE %s %d %d\n" % (path, status, sent))
            except (BrokenPipeError, ConnectionResetError):
                log.write("CUT %s %d %d\n" % (path, status, sent))
                self.close_connection = True

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    with open(args.port_file, "w") as f:
        f.write(str(server.server_address[1]))
    server.serve_forever()


if __name__ == "__main__":
    main()
