#!/usr/bin/env bash
# Makes the sample media of the tests with Linux ffmpeg from lavfi sources:
#   broadcast.ts  mpeg2video 720x576 16:9 + mp2 stereo + mp2 mono tagged "ger"
#   film.mp4      h264 1280x720 + aac
#   odd.mkv       h264 321x241 (odd width and height) + aac
#   subtitled.mkv h264 640x360 + aac + subrip subtitle tagged "eng"
#   many-streams.ts mpeg2video 160x120 + 90 mp2 streams (a probe report
#                 larger than 64 KiB), 1 s
#   gop2s.ts      h264 160x120 with B-frames and a keyframe every 2 s (as
#                 broadcasters send) + mp2 stereo + mp2 mono tagged "ger", 12 s
#   open-gop.ts   mpeg2video 160x120 interlaced (top field first), two B
#                 pictures between anchors and open GOPs of 12 frames: the
#                 two B pictures after each I refer to the GOP before, as
#                 broadcasters send + mp2 stereo, 6 s
#   pyramid.ts    h264 160x120 with three B-frames between anchors, the
#                 middle one a reference (a B-pyramid), a keyframe every 2 s
#                 (closed GOPs) + mp2 stereo + mp2 mono, 6 s, with a
#                 broadcaster's numbers: program 28006, its map table on PID
#                 100, the streams on PIDs 511-513
#   phone.mp4     h264 High 320x240 with two B-frames, a keyframe every
#                 2 s + two aac tracks, 6 s, as a phone records
#   long.mp4      the same at 160x120, 40 s: longer than the windows the
#                 keyframe lookup lists around a cut's ends
#   phone.mkv     phone.mp4's streams in a Matroska file
#   off-grid.ts, off-grid-mpeg2.ts  pyramid.ts and open-gop.ts with their
#                 clock moved 3.0173 s: their frames lie off the grid of
#                 their rate, as a broadcast's do
# 3 s each at 25 fps unless said. Kept when already made.
set -euo pipefail
out=$1
mkdir -p "$out"
cd "$out"
[ -f .complete-8 ] && exit 0

ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
video() { echo "testsrc=size=$1:rate=25:duration=3"; }
tone() { echo "sine=frequency=$1:sample_rate=48000:duration=3"; }

ff -f lavfi -i "$(video 720x576)" -f lavfi -i "$(tone 440)" -f lavfi -i "$(tone 880)" \
  -map 0 -map 1 -map 2 -c:v mpeg2video -b:v 3000k -aspect 16:9 \
  -c:a mp2 -b:a 192k -ac:a:0 2 -ac:a:1 1 -metadata:s:a:1 language=ger broadcast.ts

ff -f lavfi -i "$(video 1280x720)" -f lavfi -i "$(tone 440)" \
  -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -b:a 128k film.mp4

ff -f lavfi -i "$(video 321x241)" -f lavfi -i "$(tone 440)" \
  -c:v libx264 -preset ultrafast -pix_fmt yuv444p -c:a aac odd.mkv

printf '1\r\n00:00:00,500 --> 00:00:02,500\r\nHello\r\n' > subtitles.srt
ff -f lavfi -i "$(video 640x360)" -f lavfi -i "$(tone 440)" -i subtitles.srt \
  -map 0 -map 1 -map 2 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -c:s srt \
  -metadata:s:s:0 language=eng subtitled.mkv

audio_maps=()
for _ in $(seq 90); do audio_maps+=(-map 1:a); done
ff -f lavfi -i "testsrc=size=160x120:rate=25:duration=1" \
  -f lavfi -i "sine=frequency=440:sample_rate=8000:duration=1" \
  -map 0:v "${audio_maps[@]}" -c:v mpeg2video -c:a mp2 -b:a 32k many-streams.ts

long_tone() { echo "sine=frequency=$1:sample_rate=48000:duration=12"; }
ff -f lavfi -i "testsrc=size=160x120:rate=25:duration=12" -f lavfi -i "$(long_tone 440)" \
  -f lavfi -i "$(long_tone 880)" -map 0 -map 1 -map 2 -c:v libx264 -preset veryfast -bf 2 \
  -g 50 -keyint_min 50 -sc_threshold 0 -pix_fmt yuv420p -c:a mp2 -b:a 128k -ac:a:0 2 -ac:a:1 1 \
  -metadata:s:a:1 language=ger gop2s.ts

ff -f lavfi -i "testsrc=size=160x120:rate=25:duration=6" \
  -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=6" -map 0 -map 1 \
  -c:v mpeg2video -bf 2 -g 12 -q:v 4 -flags +ilme+ildct -top 1 -c:a mp2 -b:a 128k open-gop.ts

ff -f lavfi -i "testsrc2=size=160x120:rate=25:duration=6" \
  -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=6" \
  -f lavfi -i "sine=frequency=880:sample_rate=48000:duration=6" -map 0 -map 1 -map 2 \
  -c:v libx264 -preset veryfast -g 50 -keyint_min 50 -sc_threshold 0 -bf 3 \
  -x264-params b-pyramid=normal:b-adapt=0 -pix_fmt yuv420p -c:a mp2 -b:a 128k -ac:a:1 1 \
  -mpegts_service_id 28006 -mpegts_pmt_start_pid 100 -streamid 0:511 -streamid 1:512 \
  -streamid 2:513 pyramid.ts

ff -f lavfi -i "testsrc2=size=320x240:rate=25:duration=6" \
  -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=6" \
  -f lavfi -i "sine=frequency=660:sample_rate=48000:duration=6" -map 0 -map 1 -map 2 \
  -c:v libx264 -preset veryfast -profile:v high -g 50 -keyint_min 50 -sc_threshold 0 -bf 2 \
  -pix_fmt yuv420p -c:a aac -b:a 96k phone.mp4

ff -f lavfi -i "testsrc2=size=160x120:rate=25:duration=40" \
  -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=40" \
  -f lavfi -i "sine=frequency=660:sample_rate=48000:duration=40" -map 0 -map 1 -map 2 \
  -c:v libx264 -preset veryfast -profile:v high -g 50 -keyint_min 50 -sc_threshold 0 -bf 2 \
  -pix_fmt yuv420p -c:a aac -b:a 64k long.mp4

ff -i phone.mp4 -map 0 -c copy phone.mkv
ff -i pyramid.ts -map 0 -c copy -output_ts_offset 3.0173 off-grid.ts
ff -i open-gop.ts -map 0 -c copy -output_ts_offset 3.0173 off-grid-mpeg2.ts

touch .complete-8
