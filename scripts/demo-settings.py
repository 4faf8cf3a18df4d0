#!/usr/bin/env python3
# Switches the indicator ("Icon") and the cursor hint ("Hint") on in a RUVANO settings file,
# keeping everything else in it; makes a file with just these when there is none. Used by
# `scripts/run.sh` on the demo's own settings file.
#   demo-settings.py PATH [KEY=VALUE ...]      (further keys of [Config] to set)
import codecs, os, re, sys

path = sys.argv[1]
values = {"Icon": "1", "Hint": "1"}
values.update(a.split("=", 1) for a in sys.argv[2:])
raw = open(path, "rb").read() if os.path.exists(path) else b""
for mark, name in ((codecs.BOM_UTF8, "utf-8"), (codecs.BOM_UTF16_LE, "utf-16-le"), (codecs.BOM_UTF16_BE, "utf-16-be")):
    if raw.startswith(mark):
        break
else:
    mark, name = b"", "cp932"
text = raw[len(mark):].decode(name, errors="surrogateescape")
if not re.search(r"(?mi)^\[Config\]", text):
    text = (text.rstrip("\r\n") + "\r\n\r\n" if text.strip() else "") + "[Config]\r\n"
for key, value in values.items():
    section = re.search(r"(?mi)^\[Config\][^\n]*\n", text)
    line = re.compile(rf"(?mi)^{key}=[^\r\n]*")
    rest = text[section.end():]
    end = re.search(r"(?m)^\[", rest)
    body = rest[: end.start()] if end else rest
    if line.search(body):
        body = line.sub(f"{key}={value}", body, count=1)
    else:
        body = f"{key}={value}\r\n" + body
    text = text[: section.end()] + body + (rest[end.start():] if end else "")
os.makedirs(os.path.dirname(path), exist_ok=True)
open(path, "wb").write(mark + text.encode(name, errors="surrogateescape"))
