# shellcheck shell=bash
# Sourced by screenshots.sh --docs, with the program running and agreed to:
# makes sample recordings in C:\Recordings of the Wine prefix and takes the
# user guide's pictures, each page with its task set up as the guide tells.
recordings="${WINEPREFIX:-$root/build/wineprefix}/drive_c/Recordings"
rm -rf "$recordings"
mkdir -p "$recordings"
# A 30 s recording as a TV receiver writes it (MPEG-2 video, two MP2 audio
# tracks with their languages, MPEG-TS), and the same recording split in two
# as a receiver splits long ones.
ffmpeg -nostdin -v error -f lavfi -i testsrc2=size=720x576:rate=25:duration=30 \
  -f lavfi -i sine=frequency=440:duration=30 -f lavfi -i sine=frequency=660:duration=30 \
  -map 0 -map 1 -map 2 -c:v mpeg2video -b:v 3M -c:a mp2 -b:a 192k \
  -metadata:s:a:0 language=deu -metadata:s:a:1 language=eng "$recordings/Evening film.ts"
ffmpeg -nostdin -v error -i "$recordings/Evening film.ts" -map 0 -c copy -t 15 \
  "$recordings/Evening film part 1.ts"
ffmpeg -nostdin -v error -ss 15 -i "$recordings/Evening film.ts" -map 0 -c copy \
  "$recordings/Evening film part 2.ts"
film='C:\Recordings\Evening film'

driver page 0
shoot information

driver page 1
driver input 1 "$film part 1.ts"  # brings part 2
driver output 1 "$film joined.ts"
shoot concat

driver page 2
driver input 2 "$film.ts"
driver select 0x4270 .mp4  # the output container
driver select 0x4222 h264  # the video codec
driver select 0x4232 aac   # the audio codec
driver output 2 "$film.mp4"
shoot convert-easy
driver click 0x4290  # Expert Mode
driver select 0x4270 .mkv
driver output 2 "$film.mkv"
for row in 0 1 2; do driver tick 0x4150 "$row"; done  # the output streams
shoot convert-expert
driver click 0x4290

driver page 3
driver input 3 "$film.ts"
driver output 3 "$film trimmed.ts"
driver tick 0x5150 0  # the video
driver tick 0x5150 1  # the first audio track
driver cut 00:00:00.000 00:00:08.000
driver cut 00:00:20.000 00:00:30.000
shoot trim
