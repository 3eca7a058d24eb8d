#!/usr/bin/env bash
# Prints the program's version ("1.0.0"), read from src/app/Version.h, the
# one place it is kept.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
part() { sed -n "s/^#define TRELLIMUX_VERSION_$1 \([0-9]\+\)$/\1/p" "$root/src/app/Version.h"; }
version="$(part MAJOR).$(part MINOR).$(part PATCH)"
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "version: cannot read src/app/Version.h" >&2; exit 1; }
echo "$version"
