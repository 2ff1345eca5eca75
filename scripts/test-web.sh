#!/usr/bin/env bash
# The web build tested in a real browser: builds it (scripts/build-web.sh),
# serves its folder on localhost with a plain static server (python3 -m
# http.server: no headers added, as any host serves it), and runs
# scripts/web-test.js in headless Chromium: the launcher first, Play into a
# game played by hand to its end with a screenshot of a wave, Menu back to the
# launcher with its switches and the player's high score kept, and a kept recording replayed whose report must
# match the headless program's line for line and leave the visitor's kept
# files as they were, the page's words when it cannot run, and a visit with
# the network off from the service worker's files.
# Installs chromium, nodejs and npm when missing, and puppeteer-core (no
# browser download) into build-web/test-tools. Prints the page's download
# size and the figures the browser run measured; the screenshots go to
# build-web/test/web-shelf.png and web-wave.png.
set -euo pipefail
cd "$(dirname "$0")/.."
missing=()
command -v chromium >/dev/null || missing+=(chromium)
command -v node >/dev/null || missing+=(nodejs)
command -v npm >/dev/null || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -ne 0 ] && as_root=(sudo)
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

web=$(scripts/build-web.sh | tail -n 1)
cmake --build build --target reefhoard -j "$(nproc)" >/dev/null

out="$PWD/build-web/test"
rm -rf "$out" && mkdir -p "$out"
# The kept recording, served beside the page as a player's own would be.
mkdir -p "$web/games"
cp tests/game/data/autoplay-seed3.txt "$web/games/"
# The page without its index.data, for the words a missing file brings,
# served from the page's own folder while the test runs.
rm -rf "$web/test" && mkdir -p "$web/test/no-data"
for f in "$web"/index.*; do
  [ "$(basename "$f")" = index.data ] || ln -s "$PWD/$f" "$web/test/no-data/"
done
# The same recording headless, in a copy of the same game folder the page
# preloads: the report the browser's must match.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch" "$web/test"; [ -n "${server:-}" ] && kill "$server" 2>/dev/null || true' EXIT
cp -r build-web/stage/share/games/reefhoard "$scratch/game"
build/game/reefhoard --headless --data "$scratch/game" --seed 3 --replay tests/game/data/autoplay-seed3.txt \
  --report "$out/headless-report.txt" >/dev/null

tools="$PWD/build-web/test-tools"
if [ ! -d "$tools/node_modules/puppeteer-core" ]; then
  mkdir -p "$tools"
  PUPPETEER_SKIP_DOWNLOAD=1 npm install --prefix "$tools" --no-audit --no-fund --silent puppeteer-core@21 >/dev/null
fi

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$web" >/dev/null 2>&1 &
server=$!
for _ in $(seq 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/index.html')" \
    2>/dev/null && break
  sleep 0.1
done

echo "Download (raw / gzip bytes):"
total=0 total_gz=0
for f in index.html index.js index.wasm index.data manifest.webmanifest manifest.json sw.js icon-32.png; do
  raw=$(stat -c %s "$web/$f")
  gz=$(gzip -9 -c "$web/$f" | wc -c)
  total=$((total + raw)) total_gz=$((total_gz + gz))
  printf '  %-20s %10d %10d\n' "$f" "$raw" "$gz"
done
printf '  %-20s %10d %10d\n' "before 1st frame" "$total" "$total_gz"
# The music, which the page fetches after the launcher's first frame.
printf '  %-20s %10d %10d\n' music.mp3 "$(stat -c %s "$web/music.mp3")" "$(gzip -9 -c "$web/music.mp3" | wc -c)"

REEF_SERVER_PID=$server NODE_PATH="$tools/node_modules" node scripts/web-test.js "http://127.0.0.1:$port/index.html" \
  "$out/headless-report.txt" "$out"
echo "Figures: $(tr -d '\n ' < "$out/figures.json")"
echo "Screenshots: $out/web-shelf.png $out/web-wave.png"
