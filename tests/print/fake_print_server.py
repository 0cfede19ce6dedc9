#!/usr/bin/env python3
"""fake_print_server.py SOCKET silent|trickle [SECONDS]: a print server that misbehaves, on a Unix socket.

silent: accepts connections and never answers. trickle: answers one byte of an HTTP reply every
two seconds. It stops by itself after SECONDS (60), so a test that dies leaves nothing running.
"""
import os
import socket
import sys
import threading
import time


def serve(connection, mode):
    with connection:
        if mode == "silent":
            time.sleep(600)
            return
        for byte in b"HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + b"x" * 100000:
            time.sleep(2)
            connection.sendall(bytes([byte]))


def main():
    path, mode = sys.argv[1], sys.argv[2]
    listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    listener.bind(path)
    listener.listen(16)
    listener.settimeout(1)
    end = time.monotonic() + (float(sys.argv[3]) if len(sys.argv) > 3 else 60)
    print("ready", flush=True)
    while time.monotonic() < end:
        try:
            connection, _ = listener.accept()
        except socket.timeout:
            continue
        threading.Thread(target=serve, args=(connection, mode), daemon=True).start()
    os.unlink(path)


main()
