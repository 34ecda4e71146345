#!/usr/bin/env python3
"""Fails when the library's code uses a message key that a catalog lacks.

Keys are the quoted texts "IDS_..." in ROOT/src and ROOT/include, code and
comments alike: a key named anywhere is one the library uses. The catalogs
are ROOT/resources/<locale>/wux.po. Each must translate every key: an entry
with that msgid, no context, not marked fuzzy (msgfmt leaves fuzzy entries
out), and a non-empty msgstr (msgstr[0] for plural forms).

Usage: check_catalog_keys.py ROOT
Exit codes: 0 every key translated, 1 keys missing or nothing to check.
"""

import ast
import pathlib
import re
import sys

KEY = re.compile(r'"(IDS_[A-Z0-9_]+)"')


def used_keys(root):
    keys = {}
    for folder in ("src", "include"):
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp") or not path.is_file():
                continue
            text = path.read_text(encoding="utf-8", errors="replace")
            for number, line in enumerate(text.splitlines(), 1):
                for key in KEY.findall(line):
                    keys.setdefault(key, f"{path.relative_to(root)}:{number}")
    return keys


def po_string(token):
    """The text of one quoted PO string, escapes resolved."""
    return ast.literal_eval(token)


def entries(path):
    """Yields (context, msgid, msgstr or msgstr[0], fuzzy) for each entry."""
    entry = None
    field = None

    def finish():
        if entry is not None and "msgid" in entry:
            return (entry.get("msgctxt"), entry["msgid"], entry.get("msgstr", ""),
                    entry["fuzzy"])
        return None

    for raw in path.read_text(encoding="utf-8").splitlines() + [""]:
        line = raw.strip()
        if not line or line.startswith("#~"):
            done = finish()
            if done:
                yield done
            entry, field = None, None
            continue
        if line.startswith("#"):
            if entry is not None and "msgid" in entry:
                done = finish()
                if done:
                    yield done
                entry, field = None, None
            if entry is None:
                entry = {"fuzzy": False}
            if line.startswith("#,") and "fuzzy" in line[2:].replace(",", " ").split():
                entry["fuzzy"] = True
            continue
        match = re.match(r'(msgctxt|msgid_plural|msgid|msgstr(?:\[(\d+)\])?)\s+(".*")$', line)
        if match:
            keyword, index, token = match.groups()
            if keyword in ("msgctxt", "msgid") and entry is not None and "msgid" in entry:
                done = finish()
                if done:
                    yield done
                entry = None
            if entry is None:
                entry = {"fuzzy": False}
            if keyword.startswith("msgstr"):
                field = "msgstr" if index in (None, "0") else None
            elif keyword == "msgid_plural":
                field = None
            else:
                field = keyword
            if field is not None:
                entry[field] = po_string(token)
            continue
        if line.startswith('"') and entry is not None and field is not None:
            entry[field] += po_string(line)
            continue
        raise ValueError(f"{path}: cannot read the line {raw!r}")


def main(argv):
    if len(argv) != 2:
        print("usage: check_catalog_keys.py ROOT", file=sys.stderr)
        return 1
    root = pathlib.Path(argv[1]).resolve()
    keys = used_keys(root)
    if not keys:
        print(f"no IDS_ keys under {root}/src and {root}/include", file=sys.stderr)
        return 1
    catalogs = sorted(root.glob("resources/*/wux.po"))
    if not catalogs:
        print(f"no catalogs {root}/resources/<locale>/wux.po", file=sys.stderr)
        return 1
    failed = False
    for catalog in catalogs:
        translated = {msgid for context, msgid, msgstr, fuzzy in entries(catalog)
                      if context is None and msgstr and not fuzzy}
        for key in sorted(keys):
            if key not in translated:
                print(f"{catalog.relative_to(root)}: no text for {key} (used at {keys[key]})",
                      file=sys.stderr)
                failed = True
    if failed:
        return 1
    print(f"{len(catalogs)} catalog(s) translate all {len(keys)} keys the code uses")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
