#!/usr/bin/env bash
# The release as a user gets it: dist/Trellimux-VERSION-win64.zip unpacked
# into a fresh folder and run in a fresh Wine prefix, with ffmpeg.exe and
# ffprobe.exe put beside it. The program starts, its agreement is answered,
# one Convert job runs from the window, ffprobe checks the output, and the
# program closes with exit code 0. The About text and the version record of
# the shipped trellimux.exe name the same version.
#   smoke-test.sh WORK_DIR   (emptied first; removed when the test passes)
# TRELLIMUX_TOOLS names the folder of the test ffmpeg.exe/ffprobe.exe
# (default build/bin), TRELLIMUX_DRIVER the driver (build/win).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(realpath -m "$1")
tools="${TRELLIMUX_TOOLS:-$root/build/bin}"
driver_exe="${TRELLIMUX_DRIVER:-$root/build/win/trellimux_driver.exe}"
wine_run="$root/scripts/wine-run.sh"
version=$(bash "$root/scripts/version.sh")
zip="$root/dist/Trellimux-$version-win64.zip"

fail() { echo "smoke-test: $*" >&2; exit 1; }
[ -f "$zip" ] || fail "$zip is missing; run scripts/package.sh"
[ -f "$driver_exe" ] || fail "$driver_exe is missing; run scripts/build.sh"
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }

rm -rf "$work"
mkdir -p "$work/media"
export WINEPREFIX="$work/wineprefix"
unzip -q "$zip" -d "$work"
app="$work/Trellimux-$version"
[ -f "$app/trellimux.exe" ] || fail "the zip has no Trellimux-$version/trellimux.exe"
# The guide carries its pictures inside, one for each that docs/ names.
pictures=$(grep -o 'images/[^)]*\.png' "$root/docs/user-guide.md" | wc -l)
carried=$(grep -o 'src="data:image/png;base64,' "$app/User guide.html" | wc -l)
[ "$carried" -eq "$pictures" ] || fail "the guide in the zip carries $carried of its $pictures pictures"
cp "$tools/ffmpeg.exe" "$tools/ffprobe.exe" "$app/"
# A short recording as a TV receiver writes it: MPEG-2 video, MP2 audio, TS.
ffmpeg -nostdin -v error -f lavfi -i testsrc=size=320x240:rate=25:duration=2 \
  -f lavfi -i sine=frequency=440:duration=2 -c:v mpeg2video -c:a mp2 "$work/media/recording.ts"
"$wine_run" --init

driver() { "$wine_run" "$driver_exe" "$@" | tr -d '\r'; }
(cd "$app" && exec "$wine_run" trellimux.exe) &
program=$!
stop_program() {
  kill -0 "$program" 2>/dev/null && { driver close >/dev/null 2>&1 || kill "$program"; }
  wineserver -k 2>/dev/null || true
}
trap stop_program EXIT

driver agree
about=$(driver text 0x2500)  # the About box
about=${about%%$'\n'*}        # its first line
[[ $about == *"Trellimux $version."* ]] || fail "the About text begins \"$about\", not with version $version"
record=$(driver version "$(windows_path "$app/trellimux.exe")")
[ "$record" = "$version" ] || fail "the version record says $record, the About text $version"

driver page 2
driver input 2 "$(windows_path "$work/media/recording.ts")"
driver select 0x4270 .mkv  # the output container
driver output 2 "$(windows_path "$work/media/converted.mkv")"
driver start

driver close
status=0
wait "$program" || status=$?
[ "$status" -eq 0 ] || fail "trellimux.exe ended with exit code $status"

read -r format duration < <(ffprobe -v error -show_entries format=format_name,duration \
  -of default=noprint_wrappers=1:nokey=1 "$work/media/converted.mkv" | paste -s -d' ')
streams=$(ffprobe -v error -show_entries stream=codec_type -of csv=p=0 "$work/media/converted.mkv" |
  paste -s -d,)
echo "smoke-test: converted.mkv: $format, $duration s, streams $streams"
[ "$format" = "matroska,webm" ] || fail "the output is $format, not Matroska"
[ "$streams" = "video,audio" ] || fail "the output has the streams $streams"
awk -v d="$duration" 'BEGIN { exit !(d > 1.8 && d < 2.2) }' || fail "the output lasts $duration s, not 2 s"

trap - EXIT
wineserver -k 2>/dev/null || true
rm -rf "$work"
echo "smoke-test: passed"
