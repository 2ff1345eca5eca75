#!/usr/bin/env bash
# Writes the seed inputs of the fuzz corpora (fuzz/corpus/<target>/seed-*)
# from the game files a build generated, cut down to a few kilobytes, and from
# small hand-made files of the kinds the game's own files are not (other bit
# depths, compressed pictures, sampler loops, odd chunks). Crash inputs that
# fuzzing found (crash-*) are left as they are.
# Usage: scripts/make-fuzz-seeds.sh [build folder]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
game="${1:-build}/game"
[ -f "$game/islands.dat" ] || { echo "no generated game files in $game; build first" >&2; exit 1; }
corpus=fuzz/corpus
for target in bmp image_ini settings islands hiscore replay wav mp3; do
  mkdir -p "$corpus/$target"
  rm -f "$corpus/$target"/seed-*
done

# Little-endian numbers as printf escapes.
le16() { printf '\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)); }
le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)) $((($1 >> 16) & 255)) $((($1 >> 24) & 255)); }
# n bytes of the given value (two hex digits).
bytes() { head -c "$1" /dev/zero | tr '\0' "\\$(printf '%03o' $((16#$2)))"; }

# ---- pictures -------------------------------------------------------------
for f in g1.bmp NumberFont.bmp tileset.bmp; do cp "$game/$f" "$corpus/bmp/seed-asset-$f"; done
# bmp_head width height bits compression pixelBytes paletteBytes
bmp_head() {
  local offset=$((54 + $6))
  printf "BM$(le32 $((offset + $5)))\\0\\0\\0\\0$(le32 $offset)"
  printf "$(le32 40)$(le32 $1)$(le32 $2)$(le16 1)$(le16 $3)$(le32 $4)$(le32 $5)$(le32 2835)$(le32 2835)"
  printf "$(le32 $(($6 / 4)))$(le32 0)"
}
{ bmp_head 4 4 8 0 16 8; printf '\xff\x00\x00\x00\x00\x00\xff\x00'; bytes 8 00; bytes 8 01; } \
  > "$corpus/bmp/seed-8bit-palette.bmp"
{ bmp_head 8 2 1 0 8 8; printf '\x00\x00\x00\x00\xff\x00\x00\x00'; printf '\xa5\0\0\0\x5a\0\0\0'; } \
  > "$corpus/bmp/seed-1bit.bmp"
{ bmp_head 4 2 4 0 8 8; printf '\x00\x00\xff\x00\xff\x00\x00\x00'; printf '\x01\x10\0\0\x10\x01\0\0'; } \
  > "$corpus/bmp/seed-4bit.bmp"
# Run-length: two rows of "4 pixels of 1", end of line, end of picture.
{ bmp_head 4 2 8 1 10 8; printf '\x00\x00\x00\x00\x00\x00\xff\x00'; printf '\x04\x01\x00\x00\x04\x01\x00\x00\x00\x01'; } \
  > "$corpus/bmp/seed-rle8.bmp"
{ bmp_head 2 -2 24 0 16 0; bytes 16 7f; } > "$corpus/bmp/seed-top-down.bmp"
{ bmp_head 2 2 32 3 16 12; printf "$(le32 0xff0000)$(le32 0xff00)$(le32 0xff)"; bytes 16 40; } \
  > "$corpus/bmp/seed-32bit-bitfields.bmp"
{ bmp_head 2 2 16 3 8 12; printf "$(le32 0xf800)$(le32 0x07e0)$(le32 0x1f)"; bytes 8 1f; } \
  > "$corpus/bmp/seed-16bit-565.bmp"
{ printf "BM$(le32 42)\\0\\0\\0\\0$(le32 26)$(le32 12)$(le16 2)$(le16 2)$(le16 1)$(le16 24)"; bytes 16 80; } \
  > "$corpus/bmp/seed-os2-header.bmp"
bmp_head 32767 32767 32 0 0 0 > "$corpus/bmp/seed-huge-claim.bmp"

# ---- image-definition files ----------------------------------------------
printf '[images]\nimage01=title\nimage02=board\n[title]\nx=100\ny=40\n[board]\nfile=tile.bmp\n' \
  > "$corpus/image_ini/seed-two-images.ini"
printf '[images]\nimage01=tile\nimage02=none\nimage03=late\n[tile]\nfile=none\nx= -5px\n' \
  > "$corpus/image_ini/seed-none-ends-the-list.ini"
{ printf '[images]\n'; for n in $(seq 1 120); do printf 'image%02d=tile\n' "$n"; done; \
  printf '[TILE]\nFILE = "tile.bmp"\nx=+7 ; seven\ny=99999999999\n'; } > "$corpus/image_ini/seed-many-images.ini"

# ---- settings: setup.ini, a line "----", then the options file ------------
{ cat "$game/setup.ini"; printf '\n----\n[setup]\nmusic=Y\nSFX=N\nplayerid=2\n[Player3]\nname=Ann\naddress=1 Reef Road\nemail=ann@example.org\nsend=N\n'; } \
  > "$corpus/settings/seed-game-files.ini"
printf '[setup]\nfullscreen=1\nw=40000\nh=-3\nnowindow=1\nontop=7\n[default]\nReefhoards=x\ngametime=-99999999999\n----\n[setup]\nplayerid=99\nmusic=yes\n' \
  > "$corpus/settings/seed-odd-values.ini"
printf '  [setup]\r\n  w = "1024" ;wide\r\nh=768\r\n----\n[Player1]\nname=%s\n' "$(bytes 300 41)" \
  > "$corpus/settings/seed-indented-and-long.ini"

# ---- island maps -----------------------------------------------------------
head -c $((3 * 1406)) "$game/islands.dat" > "$corpus/islands/seed-first-three-maps.dat"
bytes 1406 05 > "$corpus/islands/seed-all-land.dat"
{ for b in 80 9f fe 7f 00 ff; do bytes 234 "$b"; done; } > "$corpus/islands/seed-odd-bytes.dat"

# ---- high scores -----------------------------------------------------------
entry() { printf '%s' "$1"; bytes $((256 - ${#1})) 00; printf "$(le32 "$2")"; }
{ printf "$(le32 20)"; entry 'Ann:1 Reef Road:ann@example.org:Y' 8650; entry 'Player1:::Y' 125; \
  for i in $(seq 3 20); do entry '' 0; done; } > "$corpus/hiscore/seed-table.dat"
{ printf "$(le32 20)"; for i in $(seq 1 20); do bytes 256 41; printf "$(le32 $((0x80000000 + i)))"; done; } \
  > "$corpus/hiscore/seed-full-names-negative-scores.dat"
{ printf "$(le32 21)"; entry 'too many' 1; } > "$corpus/hiscore/seed-wrong-count.dat"

# ---- recordings -----------------------------------------------------------
head -n 40 tests/game/data/autoplay-seed3.txt > "$corpus/replay/seed-recorded-game.txt"
printf '# every kind\n0 move 0 0\n10 press right 799 599\n10 release right 799 599\n20 key F12\n20 key Z\n30 key 7\n\t40\tclose\r\n' \
  > "$corpus/replay/seed-every-kind.txt"
printf '10 move 1 1\n5 move 2 2\n' > "$corpus/replay/seed-time-goes-back.txt"

# ---- sounds: a real header with the first 2 KB of its samples --------------
# wav_cut source bytes: the 44-byte header of the generated file (fmt then
# data), its data size set to bytes.
wav_cut() {
  { printf "RIFF$(le32 $((36 + $2)))"; head -c 36 "$1" | tail -c 28; printf "data$(le32 "$2")"; \
    dd if="$1" iflag=skip_bytes,count_bytes skip=44 count="$2" bs=4096 status=none; }
}
wav_cut "$game/sounds/02.wav" 2048 > "$corpus/wav/seed-effect-mono.wav"
wav_cut "$game/sounds/music.wav" 2048 > "$corpus/wav/seed-music-stereo.wav"
# fmt 8-bit stereo, an odd chunk with its pad byte, a sampler loop, data.
fmt() { printf "fmt $(le32 16)$(le16 1)$(le16 $1)$(le32 $2)$(le32 $(($2 * $1 * $3 / 8)))$(le16 $(($1 * $3 / 8)))$(le16 $3)"; }
{ printf "RIFF$(le32 0)WAVE"; fmt 2 11025 8; printf "junk$(le32 3)abc\\0"; \
  printf "smpl$(le32 60)"; bytes 28 00; printf "$(le32 1)$(le32 0)$(le32 0)$(le32 0)$(le32 10)$(le32 100)$(le32 0)$(le32 0)"; \
  printf "data$(le32 256)"; bytes 256 80; } > "$corpus/wav/seed-8bit-loop-odd-chunk.wav"
{ printf "RIFF$(le32 0)WAVEdata$(le32 64)"; bytes 64 00; fmt 1 22050 16; } > "$corpus/wav/seed-data-before-fmt.wav"
{ printf "RIFF$(le32 0)WAVE"; fmt 2 44100 16; printf "data$(le32 2000000000)"; bytes 16 00; } \
  > "$corpus/wav/seed-data-larger-than-file.wav"

# ---- MP3: silent MPEG-1 layer III frames, with and without an ID3 tag -----
frame() { printf '\xff\xfb\x90\xc0'; bytes 413 00; }
{ for i in 1 2 3 4; do frame; done; } > "$corpus/mp3/seed-silent-frames.mp3"
{ printf "ID3\\x03\\0\\0\\0\\0\\0\\x0a"; bytes 10 00; frame; frame; } > "$corpus/mp3/seed-id3-tag.mp3"
{ printf '\xff\xf3\x40\xc0'; bytes 140 00; printf '\xff\xe3\x18\xc4'; bytes 100 00; } > "$corpus/mp3/seed-mpeg2-and-25.mp3"

ls "$corpus"/*/seed-* | wc -l | xargs echo "seeds written:"
