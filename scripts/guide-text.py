#!/usr/bin/env python3
# Turns the user guide (docs/guide-ja.md) into plain text for Notepad readers: headings as
# marked lines, lists indented, tables as indented term and meaning, no pictures and no
# Markdown marks. Writes UTF-8 with LF line ends to stdout; scripts/package.sh adds the
# byte-order mark and CRLF. The same input always gives the same output. With the address
# of the guide as the web shows it, a note under the title tells the reader where the
# pictures are.
#
#   guide-text.py GUIDE.md [ADDRESS]
import re
import sys
import unicodedata


def width(text):
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


def inline(text):
    text = re.sub(r"!\[[^\]]*\]\([^)]*\)", "", text)
    text = re.sub(r"\[([^\]]+)\]\(([^)]+)\)", lambda m: m.group(1) if not re.match(r"https?:", m.group(2))
                  else f"{m.group(1)}（{m.group(2)}）", text)
    text = re.sub(r"([。、])\*\* ", r"\1**", text)  # the space that Markdown needs after "。**"
    text = re.sub(r"\*\*(.+?)\*\*", r"\1", text)
    return re.sub(r"`([^`]+)`", r"\1", text)


PICTURES_NOTE = "このファイルは使い方ガイドの文字だけの版です。画面の画像の入ったガイドは、次のページにあります。"


def convert(source, address=None):
    out = []
    lines = source.splitlines()
    i = 0
    while i < len(lines):
        line = lines[i]
        if line.startswith("```"):  # a fenced block: its lines indented, as they are
            i += 1
            while i < len(lines) and not lines[i].startswith("```"):
                out.append("    " + lines[i] if lines[i] else "")
                i += 1
        elif m := re.match(r"(#{1,3}) (.*)", line):
            title = inline(m.group(2))
            if out and out[-1]:
                out.append("")
            if len(m.group(1)) == 1:
                out += [title, "=" * width(title)]
                if address:
                    out += ["", PICTURES_NOTE, "    " + address]
            elif len(m.group(1)) == 2:
                out += ["", "■ " + title]
            else:
                out.append("◆ " + title)
        elif line.startswith("|"):  # a table: each row as term, then meaning below it
            rows = []
            while i < len(lines) and lines[i].startswith("|"):
                rows.append([inline(c.strip()) for c in lines[i].strip().strip("|").split("|")])
                i += 1
            i -= 1
            for cells in rows[2:]:
                out += ["  " + cells[0], *("      " + c for c in cells[1:]), ""]
            if out and not out[-1]:
                out.pop()
        elif re.match(r"!\[[^\]]*\]\([^)]*\)\s*$", line):
            if out and not out[-1]:  # a picture's line goes with the blank line before it
                out.pop()
        elif m := re.match(r"( *)- (.*)", line):
            out.append("  " + m.group(1) + "・" + inline(m.group(2)))
        elif m := re.match(r"( *)(\d+)\. (.*)", line):
            out.append("  " + m.group(1) + f"{m.group(2)}. " + inline(m.group(3)))
        else:
            out.append(inline(line))
        i += 1
    text = "\n".join(out)
    text = re.sub(r"\n{3,}", "\n\n", text)
    return text.strip("\n") + "\n"


if __name__ == "__main__":
    with open(sys.argv[1], encoding="utf-8") as f:
        sys.stdout.write(convert(f.read(), sys.argv[2] if len(sys.argv) > 2 else None))
