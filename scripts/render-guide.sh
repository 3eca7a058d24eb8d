#!/usr/bin/env bash
# Renders the user guide docs/user-guide.md into one HTML file that carries
# its pictures inside (data: addresses), so that the release needs no folder
# of images beside the program:
#   render-guide.sh OUT.html
# Needs cmark-gfm (scripts/setup.sh installs it). Same guide, same bytes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
docs="$root/docs"
out=$1

{
  cat <<'HEAD'
<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Trellimux user guide</title>
<style>
body { font-family: "Segoe UI", Arial, sans-serif; max-width: 62em; margin: 2em auto;
       padding: 0 1em; line-height: 1.5; color: #1d2630; }
h1, h2, h3 { color: #1b5e9e; }
h2 { border-bottom: 1px solid #c3d1df; padding-bottom: .2em; margin-top: 2em; }
img { max-width: 100%; border: 1px solid #c3d1df; }
code { background: #eef2f6; padding: 0 .25em; }
pre { background: #eef2f6; padding: .6em; overflow-x: auto; }
table { border-collapse: collapse; }
th, td { border: 1px solid #c3d1df; padding: .3em .6em; vertical-align: top; text-align: left; }
</style>
</head>
<body>
HEAD
  cmark-gfm --extension table --extension autolink "$docs/user-guide.md"
  printf '</body>\n</html>\n'
} | while IFS= read -r line; do
  # <img src="images/NAME.png" ...>: the picture's bytes take the place of its name.
  while [[ $line =~ ^(.*)src=\"(images/[A-Za-z0-9._-]+\.png)\"(.*)$ ]]; do
    picture="$docs/${BASH_REMATCH[2]}"
    [ -f "$picture" ] || { echo "render-guide: $picture is missing" >&2; exit 1; }
    line="${BASH_REMATCH[1]}src=\"data:image/png;base64,$(base64 -w0 "$picture")\"${BASH_REMATCH[3]}"
  done
  printf '%s\n' "$line"
done >"$out"
