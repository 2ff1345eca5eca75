#!/usr/bin/env python3
"""Serves the web build on localhost: python3 scripts/serve-web.py [port] [folder].

The game's threads need SharedArrayBuffer, which browsers give only to pages
that are cross-origin isolated: every answer carries the two headers that
make it so. Defaults: port 8080, folder build-web."""
import functools
import http.server
import sys


class IsolatedHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript"}

    def end_headers(self):
        self.send_header("Cross-Origin-Opener-Policy", "same-origin")
        self.send_header("Cross-Origin-Embedder-Policy", "require-corp")
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def log_message(self, *args):
        pass


def main():
    port = int(sys.argv[1]) if len(sys.argv) > 1 else 8080
    folder = sys.argv[2] if len(sys.argv) > 2 else "build-web"
    handler = functools.partial(IsolatedHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    print(f"Reef Hoard at http://127.0.0.1:{server.server_port}/index.html", flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
