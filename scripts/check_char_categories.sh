#!/bin/bash
# Tells whether src/lang/CharCategoryTable.cpp is what
# scripts/gen_char_categories.py generates today: regenerates it into a
# temporary file and compares.
#
# Exit codes: 0 current, 1 out of date (or the generator failed), 77 skipped
# because python3 or Unicode's DerivedAge.txt (Debian package unicode-data)
# is missing on this machine.
#
# Usage: check_char_categories.sh [DerivedAge.txt]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
derived_age=${1:-/usr/share/unicode/DerivedAge.txt}
committed=$root/src/lang/CharCategoryTable.cpp

if ! command -v python3 >/dev/null 2>&1; then
    echo "skipped: python3 is not installed"
    exit 77
fi
if [ ! -r "$derived_age" ]; then
    echo "skipped: $derived_age not found (install the package unicode-data)"
    exit 77
fi

fresh=$(mktemp "${TMPDIR:-/tmp}/CharCategoryTable.XXXXXX")
trap 'rm -f "$fresh"' EXIT

if ! python3 "$root/scripts/gen_char_categories.py" --derived-age "$derived_age" \
        --output "$fresh"; then
    echo "FAILED: scripts/gen_char_categories.py did not run through"
    exit 1
fi
if ! cmp -s "$fresh" "$committed"; then
    echo "FAILED: src/lang/CharCategoryTable.cpp is out of date; differences:"
    diff -u "$committed" "$fresh" | head -40 || true
    echo "run scripts/gen_char_categories.py and commit the result"
    exit 1
fi
echo "src/lang/CharCategoryTable.cpp is current"
