#!/usr/bin/env bash
# Makes the release a Windows user downloads, dist/Trellimux-VERSION-win64.zip:
#   Trellimux-VERSION/trellimux.exe     the program (Release, stripped)
#   Trellimux-VERSION/User guide.html   docs/user-guide.md with its pictures
# FFmpeg is not in it (its builds at hand carry no licence text and no source):
# the guide tells where to get ffmpeg.exe and ffprobe.exe.
#   package.sh          installs what is missing, builds the program, packs
#   package.sh --built  packs the trellimux.exe that build/bin already holds
# The same sources give the same bytes: the program's header carries no link
# time, and the zip has fixed file times (the last commit's, or
# SOURCE_DATE_EPOCH), a fixed order and no owner or extra attributes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" != "--built" ]; then
  bash "$root/scripts/setup.sh"
  bash "$root/scripts/build.sh" --program
fi

version=$(bash "$root/scripts/version.sh")
# The manifest names the program's assembly by the same version.
grep -q "name=\"Trellimux\"" "$root/resources/trellimux.manifest" &&
  grep -q "version=\"$version.0\"" "$root/resources/trellimux.manifest" ||
  { echo "package: resources/trellimux.manifest does not name version $version.0" >&2; exit 1; }
exe="$root/build/bin/trellimux.exe"
[ -f "$exe" ] || { echo "package: $exe is missing; run scripts/build.sh --program" >&2; exit 1; }

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 1767225600)
fi
name="Trellimux-$version"
zip="$root/dist/$name-win64.zip"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
cp "$exe" "$stage/$name/trellimux.exe"  # stripped when linked (Release)
bash "$root/scripts/render-guide.sh" "$stage/$name/User guide.html"
files=("$name/trellimux.exe" "$name/User guide.html")
for file in "${files[@]}"; do
  chmod 644 "$stage/$file"
  touch -d "@$SOURCE_DATE_EPOCH" "$stage/$file"
done

mkdir -p "$root/dist"
rm -f "$zip"
# -X: no owner ids or extra time fields; -D: no folder entries. Zip keeps
# local time, so the time zone is fixed too.
(cd "$stage" && TZ=UTC zip -q -X -D -9 "$zip" "${files[@]}")
echo "package: $zip ($(stat -c %s "$zip") bytes), SHA-256 $(sha256sum "$zip" | cut -d' ' -f1)"
