#!/usr/bin/env python3
"""Converts the UTF-8 message source to Windows-1250, the system's 8-bit text."""
import sys

with open(sys.argv[1], encoding="utf-8") as src:
    text = src.read()
with open(sys.argv[2], "w", encoding="cp1250", newline="\n") as out:
    out.write(text)
