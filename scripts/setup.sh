#!/bin/bash
# Installs the Debian packages the build needs, when they are missing.
# Quick (a dpkg query) when everything is present.
set -euo pipefail
packages=(cmake ninja-build dpkg-dev g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          wine64 googletest gettext unicode-data python3)
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
