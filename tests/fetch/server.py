#!/usr/bin/env python3
"""A small HTTP/1.1 server for the tests of fetch, on 127.0.0.1 only: serves the files under
ROOT (laid out like NCEP's servers), byte ranges included, and can misbehave on purpose.
Prints the port it listens on as its first line, logs every request it answers to LOG as
"METHOD PATH RANGE STATUS BODY_BYTES" (RANGE "-" for none) and ends when its standard input
closes, so that it never outlives the test that started it.

  server.py ROOT LOG [--port N] [--ignore-ranges] [--late PATH=N] [--cut PATH=BYTES]
                     [--stall PATH=BYTES]

  --port N          listen on port N (default 0: one the system picks)
  --ignore-ranges   answer a range request with 200 and the whole file
  --late PATH=N     PATH is not found (404) for its first N requests
  --cut PATH=BYTES  announce PATH's whole length, send BYTES of it, close the connection
  --stall PATH=BYTES  send BYTES of PATH, then nothing until the client gives up
"""

import argparse
import http.server
import os
import re
import socket
import sys
import threading
import time


def path_counts(values):
    """{PATH: N} from PATH=N words."""
    table = {}
    for word in values:
        path, _, count = word.rpartition("=")
        table[path] = int(count)
    return table


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("root")
    parser.add_argument("log")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--ignore-ranges", action="store_true")
    parser.add_argument("--late", action="append", default=[])
    parser.add_argument("--cut", action="append", default=[])
    parser.add_argument("--stall", action="append", default=[])
    args = parser.parse_args()
    root = os.path.realpath(args.root)
    late, cut, stall = path_counts(args.late), path_counts(args.cut), path_counts(args.stall)
    asked = {}
    lock = threading.Lock()
    log = open(args.log, "a", encoding="utf-8")

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"
        disable_nagle_algorithm = True  # or each answer waits for the client's delayed ACK

        def log_message(self, *_):
            pass

        def record(self, status, sent):
            with lock:
                log.write("%s %s %s %d %d\n" % (self.command, self.path,
                                                self.headers.get("Range", "-"), status, sent))
                log.flush()

        def answer_missing(self):
            body = b"not found\n"
            self.send_response(404)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            if self.command == "GET":
                self.wfile.write(body)
            self.record(404, len(body) if self.command == "GET" else 0)

        def do_HEAD(self):
            self.do_GET()

        def do_GET(self):
            path = self.path.split("?")[0]
            with lock:
                asked[path] = asked.get(path, 0) + 1
                too_early = asked[path] <= late.get(path, 0)
            file = os.path.realpath(os.path.join(root, path.lstrip("/")))
            if too_early or not file.startswith(root + os.sep) or not os.path.isfile(file):
                return self.answer_missing()
            size = os.path.getsize(file)
            first, last, status = 0, size - 1, 200
            wanted = re.fullmatch(r"bytes=(\d+)-(\d*)", self.headers.get("Range", ""))
            if wanted and not args.ignore_ranges:
                first = int(wanted.group(1))
                last = min(int(wanted.group(2)), size - 1) if wanted.group(2) else size - 1
                if first >= size or first > last:
                    self.send_response(416)
                    self.send_header("Content-Range", "bytes */%d" % size)
                    self.send_header("Content-Length", "0")
                    self.end_headers()
                    return self.record(416, 0)
                status = 206
            self.send_response(status)
            if status == 206:
                self.send_header("Content-Range", "bytes %d-%d/%d" % (first, last, size))
            self.send_header("Content-Length", str(last - first + 1))
            self.end_headers()
            if self.command == "HEAD":
                return self.record(status, 0)
            send = last - first + 1
            send = min(send, cut.get(path, send), stall.get(path, send))
            sent = 0
            with open(file, "rb") as f:
                f.seek(first)
                while sent < send:
                    chunk = f.read(min(1 << 20, send - sent))
                    try:
                        self.wfile.write(chunk)
                    except OSError:
                        break  # the client went away: a range answered 200 is cut off so
                    sent += len(chunk)
            self.record(status, sent)
            if path in stall:
                self.wfile.flush()
                time.sleep(3600)
            if path in cut:
                self.wfile.flush()
                self.connection.shutdown(socket.SHUT_RDWR)
                self.close_connection = True

    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    print(server.server_address[1], flush=True)
    sys.stdin.read()  # until the test closes it, or ends


if __name__ == "__main__":
    main()
