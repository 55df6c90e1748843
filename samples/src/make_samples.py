#!/usr/bin/env python3
"""Builds the bundled sample files in samples/ from the UTF-8 drafts beside this script.

    python3 samples/src/make_samples.py          # write the samples
    python3 samples/src/make_samples.py --check  # only compare with what is there
    ... --cli PATH                               # sorario-cli (default: build/src/cli/)

Every output is code page 932 with CR LF. Encoded samples are made by
`sorario-cli encode`; one whose lines are unchanged is kept as it is, since any
encoding of the same lines loads the same. The drafts hold one question per line,
"question | hint | answer"; lines starting with "!" are header fields, "==" starts
a part and "#" is a comment. Each part must have the same number of questions, since
the program cuts the questions into equal runs by the declared part count.
"""
import json
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.dirname(HERE)
CRLF = "\r\n"

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


def find_cli():
    if "--cli" in sys.argv:
        return sys.argv[sys.argv.index("--cli") + 1]
    path = os.path.join(os.path.dirname(OUT), "build", "src", "cli", "sorario-cli")
    if not os.path.exists(path):
        sys.exit("sorario-cli not found: build first, or name it with --cli PATH")
    return path


def decoded_lines(cli, path):
    """The lines an encoded file loads as, or None when it is no encoded file."""
    run = subprocess.run([cli, "decode", path], capture_output=True)
    if run.returncode != 0:
        return None
    result = json.loads(run.stdout)
    return result["FileLines"][:result["DecodedLineCount"]]


def encoded_file_bytes(cli, lines, existing):
    if os.path.exists(existing) and decoded_lines(cli, existing) == lines:
        with open(existing, "rb") as f:
            return f.read()
    with tempfile.TemporaryDirectory() as tmp:
        plain, encoded = os.path.join(tmp, "plain.qvn"), os.path.join(tmp, "encoded.qvn")
        with open(plain, "wb") as f:
            f.write(file_bytes(lines))
        subprocess.run([cli, "encode", plain, "-o", encoded], check=True)
        if decoded_lines(cli, encoded) != lines:
            sys.exit("encoded text does not decode to the plain lines")
        with open(encoded, "rb") as f:
            return f.read()


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
    cli = find_cli()
    outputs = {}

    for draft, target, encoded in [("中学英語文法ドリル1.txt", "中学英語文法ドリル1.qvn", False),
                                   ("中学英語文法ドリル2.txt", "中学英語文法ドリル2.qvn", False),
                                   ("高校英語文法演習.txt", "高校英語文法演習.qvn", True),
                                   ("並べ替えと選択.txt", "並べ替えと選択.qvn", False)]:
        header, notes, questions = read_draft(draft)
        notes = (notes + ["", "", ""])[:3]
        lines = [header["title"], header["parts"], header["code"]] + notes + question_lines(questions)
        if encoded:
            data = encoded_file_bytes(cli, lines, os.path.join(OUT, target))
        else:
            data = file_bytes(lines)
            check_with_iconv(data, lines)
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
