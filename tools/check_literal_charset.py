#!/usr/bin/env python3
"""Fails when a source file holds a character whose GB18030 bytes differ from its CP936
bytes, or that CP936 cannot hold: the build encodes literals as GB18030, and the program's
texts must be CP936."""
import pathlib
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
folders = ["search", "web", "app", "actions", "tests"]
bad = []
for folder in folders:
    for path in sorted((root / folder).rglob("*")):
        if path.suffix not in (".h", ".cpp", ".rc"):
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            for ch in line:
                if ord(ch) < 0x80:
                    continue
                try:
                    same = ch.encode("cp936") == ch.encode("gb18030")
                except UnicodeEncodeError:
                    same = False
                if not same:
                    bad.append("%s:%d: %r (U+%04X)" % (path.relative_to(root), number, ch, ord(ch)))
print("\n".join(bad) if bad else "every non-ASCII character has the same bytes in CP936 and GB18030")
sys.exit(1 if bad else 0)
