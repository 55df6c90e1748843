#!/usr/bin/env python3
"""Builds the bundled sample files in samples/ from the UTF-8 drafts beside this script.

    python3 samples/src/make_samples.py          # write the samples
    python3 samples/src/make_samples.py --check  # only compare with what is there

Every output is code page 932 with CR LF. The drafts hold one question per line,
"question | hint | answer"; lines starting with "!" are header fields, "==" starts
a part and "#" is a comment. Each part must have the same number of questions, since
the program cuts the questions into equal runs by the declared part count.
"""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.dirname(HERE)
CRLF = "\r\n"

# Symbol -> digits, in the order the program applies them when decoding.
SYMBOLS = [
    ("\u3000", "A"), (":", "B"), ("\u25C7", "C"), ("\u30FB", "D"), ("\u25A0", "E"),
    ("?", "F"), ("~", "006"), ("^", "007"), ("/", "004"), ("\\", "005"), ("+", "816"),
    ("-", "002"), (" ", "0"), ("*", "82"), ("\uFF71", "814"), ("]", "83"),
]


def read_draft(name):
    header, parts = {}, []
    notes = []
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            if line.startswith("!"):
                key, _, value = line[1:].partition(" ")
                if key == "note":
                    notes.append(value)
                else:
                    header[key] = value
                continue
            if line.startswith("=="):
                parts.append([])
                continue
            fields = [s.strip() for s in line.split(" | ")]
            if len(fields) != 3 or not fields[0] or not fields[2] or not parts:
                sys.exit(f"{name}:{number}: want 'question | hint | answer' inside a part")
            parts[-1].append(fields)
    sizes = {len(p) for p in parts}
    if len(parts) != int(header["parts"]) or len(sizes) != 1:
        sys.exit(f"{name}: {len(parts)} parts of sizes {sorted(sizes)}, declared {header['parts']}")
    questions = [q for p in parts for q in p]
    return header, notes, questions


def question_lines(questions):
    return [text for q in questions for text in q]


def cp932(text):
    return text.encode("cp932")  # strict: a character without a code-page form stops the build


def file_bytes(lines):
    return cp932("".join(line + CRLF for line in lines))


def hex_codes(text):
    out = []
    for ch in text:
        b = ch.encode("cp932")
        out.append("%04X" % (b[0] if len(b) == 1 else (b[0] << 8) | b[1]))
    return "".join(out)


def compress(digits):
    """Longest symbol first; any mix of symbols and plain digits decodes the same."""
    table = sorted(((d, s) for s, d in SYMBOLS), key=lambda p: -len(p[0]))
    out, i = [], 0
    while i < len(digits):
        for d, s in table:
            if digits.startswith(d, i):
                out.append(s)
                i += len(d)
                break
        else:
            out.append(digits[i])
            i += 1
    return "".join(out)


def decode_literally(payload):
    """The program's decoding steps, followed one by one."""
    text = payload
    for symbol, digits in SYMBOLS:
        text = text.replace(symbol, digits)
    decoded = []
    p, n = 1, len(text)
    while p <= n - 2:
        code = int(text[p - 1:p + 3], 16)
        raw = bytes([code]) if code < 0x100 else bytes([code >> 8, code & 0xFF])
        decoded.append(raw.decode("cp932"))
        p += 4
    pieces = "".join(decoded).split(CRLF)
    return pieces[:-1], len(pieces) - 1


def encoded_file_bytes(lines):
    payload = compress(hex_codes("".join(line + CRLF for line in lines)))
    back, count = decode_literally(payload)
    if back != lines or count != len(lines):
        sys.exit("encoded text does not decode to the plain lines")
    return file_bytes(["\\\\\\" + payload])


def check_with_iconv(data, lines):
    """A second opinion on the bytes from the system's own CP932 tables."""
    text = subprocess.run(["iconv", "-f", "CP932", "-t", "UTF-8"], input=data,
                          capture_output=True, check=True).stdout.decode("utf-8")
    if text != "".join(line + CRLF for line in lines):
        sys.exit("iconv reads the bytes differently")


def describe(name, questions, parts):
    hints = [q[1] for q in questions]
    texts = [q[0] for q in questions]
    width = lambda s: sum(1 if ord(c) < 0x100 else 2 for c in s)
    breaks = sum("\\/" in t for t in texts)
    print(f"{name}: {len(questions)} questions, {parts} parts; hints text/empty/*/**: "
          f"{sum(h not in ('', '*', '**') for h in hints)}/{hints.count('')}/"
          f"{hints.count('*')}/{hints.count('**')}; @: {sum('@' in t for t in texts)}; "
          f"\\/: {breaks}; （）: {sum('（' in t for t in texts)}; "
          f"( ): {sum('( )' in t for t in texts)}; long: {sum(width(t) > 90 for t in texts)}")


def main():
    check_only = "--check" in sys.argv
    outputs = {}

    for draft, target, encoded in [("中学英語文法ドリル1.txt", "中学英語文法ドリル1.qvn", False),
                                   ("中学英語文法ドリル2.txt", "中学英語文法ドリル2.qvn", False),
                                   ("高校英語文法演習.txt", "高校英語文法演習.qvn", True)]:
        header, notes, questions = read_draft(draft)
        notes = (notes + ["", "", ""])[:3]
        lines = [header["title"], header["parts"], header["code"]] + notes + question_lines(questions)
        data = encoded_file_bytes(lines) if encoded else file_bytes(lines)
        check_with_iconv(data, ["\\\\\\" + compress(hex_codes(
            "".join(line + CRLF for line in lines)))] if encoded else lines)
        outputs[target] = data
        describe(target, questions, header["parts"])

    header, _, questions = read_draft("旧形式サンプル.txt")
    outputs["旧形式サンプル.qvk"] = file_bytes(question_lines(questions))
    outputs["旧形式サンプル.ctr"] = file_bytes([header["title"], header["parts"]])
    check_with_iconv(outputs["旧形式サンプル.qvk"], question_lines(questions))
    describe("旧形式サンプル.qvk", questions, header["parts"])

    with open(os.path.join(HERE, "Readme.txt"), encoding="utf-8") as f:
        readme = f.read().split("\n")
    if readme[-1] == "":
        readme.pop()
    outputs["Readme.txt"] = file_bytes(readme)
    check_with_iconv(outputs["Readme.txt"], readme)

    stale = []
    for name, data in outputs.items():
        path = os.path.join(OUT, name)
        if check_only:
            with open(path, "rb") as f:
                if f.read() != data:
                    stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        sys.exit("out of date: " + ", ".join(stale))


if __name__ == "__main__":
    main()
