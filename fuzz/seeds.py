#!/usr/bin/env python3
"""Writes the hand-made starting inputs of each fuzz target into fuzz/corpus/<target>/.

    python3 fuzz/seeds.py

The inputs come from the bundled samples and from small cases the readers treat
specially. `make fuzz` adds what the fuzzers find to the same folders, merged so that only
inputs with new coverage are kept.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = os.path.join(os.path.dirname(HERE), "samples")
SEP = b"\0--\0"  # FuzzSupport.h: Separator
CRLF = "\r\n"


def sample(name):
    with open(os.path.join(SAMPLES, name), "rb") as f:
        return f.read()


def sjis(text):
    return text.encode("cp932")


def lines_of(data):
    return data.decode("cp932").split(CRLF)[:-1]


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "seed-" + name), "wb") as f:
        f.write(data)


def main():
    drill1 = sample("中学英語文法ドリル1.qvn")
    drill2 = sample("中学英語文法ドリル2.qvn")
    encoded = sample("高校英語文法演習.qvn")
    qvk = sample("旧形式サンプル.qvk")
    ctr = sample("旧形式サンプル.ctr")
    payload = encoded.split(b"\r\n")[0][3:]

    # Loader: one to three files, plain and encoded.
    write("fuzz_loader", "plain", drill1)
    write("fuzz_loader", "encoded", encoded)
    write("fuzz_loader", "two", drill2 + SEP + encoded)
    write("fuzz_loader", "three-short", sjis("A" + CRLF + "2.5" + CRLF + "C" + CRLF) + SEP
          + b"" + SEP + sjis("\\\\\\0041000D000A"))
    write("fuzz_loader", "seven-lines", sjis(CRLF.join("1234567") + CRLF))

    # Decoder: the payload of line 1, and the small cases the decoder is known by.
    write("fuzz_decoder", "sample", payload)
    for i, p in enumerate(["0041000D000A", " 41   D   A", "~1000D000A", "*A0000D000A",
                           "]41000D000A", "0041", "004", "00G1", "FFFF000D000A"]):
        write("fuzz_decoder", "case%d" % i, p.encode("ascii"))

    # Codec: code-page bytes, broken bytes, and text as UTF-16.
    write("fuzz_codec", "sample", drill1[:600])
    write("fuzz_codec", "bad-bytes", b"\x82\xa0\x82\x80\xff\x81\x5c\x5c\xa0\x87\x40\xed\x40\x82")
    write("fuzz_codec", "utf16", "¥～−‖あ\U0001F600\ud800".encode("utf-16-le", "surrogatepass"))

    # Settings: Vk.ini, then Vk.rog.
    write("fuzz_settings", "defaults", sjis("ＭＳ Ｐ明朝" + CRLF + " 10 " + CRLF) + SEP
          + sjis("《ミナセラ》" + CRLF))
    write("fuzz_settings", "quoted", sjis('  "@ＭＳ ゴシック, 太字"  ,-12' + CRLF) + SEP
          + sjis('"ロゴ, カンマ入り"x' + CRLF))
    write("fuzz_settings", "bom", b"\xef\xbb\xbf" + "Ｘ\r40000\r".encode("utf-8"))

    # Conversion: FILE.qvk, then FILE.ctr.
    write("fuzz_convert", "sample", qvk + SEP + ctr)
    write("fuzz_convert", "no-control", qvk)
    write("fuzz_convert", "short-control", sjis("Q" + CRLF + "H" + CRLF + "A" + CRLF) + SEP
          + sjis("title" + CRLF))

    # Print: option bytes, then title, sheet code, logo and question lines as UTF-8.
    def print_input(options, size, lines):
        return bytes([options, size, 0, 0]) + "\n".join(lines).encode("utf-8")

    for name, data in [("drill1", drill1), ("drill2", drill2)]:
        lines = lines_of(data)
        body = [lines[0], lines[2], "《ミナセラ》"] + lines[6:]
        write("fuzz_print", name + "-layout1", print_input(0b0000, 10, body))
        write("fuzz_print", name + "-layout2-no", print_input(0b0101, 12, body))
    write("fuzz_print", "markers", print_input(0b0110, 10, [
        "題", "C1", "ロゴ",
        "He @is@ a \\/student、" + "あ" * 60 + "。", "*", "ans",
        "@open " + "word " * 40, "**", "",
        "", "", "",
    ]))
    write("fuzz_print", "long-parts", print_input(0b1100100, 10, [
        "題", "1,3,5", "ロゴ", "Q @a@ b\\/c", "hint", "ans"]))
    write("fuzz_print", "huge-font", print_input(0b0100, 0x82, ["t", "c", "l", "x", "", "y"]))

    # CSV: the program's own table, a spreadsheet's Shift-JIS save, and quoting.
    table = ("\ufeff#タイトル,中学英語\r\n#部の数,2\r\n#シートコード,C1\r\n問題,ヒント,解答\r\n"
             "\"He @is@ a, student\",\"\"\"be\"\"\",is\r\n,,\r\n")
    write("fuzz_csv", "own", table.encode("utf-8"))
    write("fuzz_csv", "sjis", sjis("#題,英語\r\nQ,H,A\r\n\r\nQ2,,A2,\r\n"))
    write("fuzz_csv", "tabs-and-breaks", b'#a\tb\rQ,"x\ny",A\n"open')

    # Question banks: the kinds refused, markers, references; the samples' banks as the
    # program writes them are committed beside these (seed-drill1.xml, seed-drill1.gift).
    write("fuzz_moodle", "kinds", b'<quiz><question type="category"><category><text>$course$/top/A//B</text>'
          b'</category><info><text>#\xe3\x82\xbf x</text></info></question><question type="multichoice"/>'
          b'<question type="shortanswer"><questiontext format="html"><text><![CDATA[<p>a &amp;#1; <b>b</b>'
          b'<br/>]]></text></questiontext><answer fraction="100"><text>x</text></answer></question></quiz>')
    write("fuzz_moodle", "broken", b'<?xml version="1.0"?>\n<quiz>\n<question type="shortanswer">')
    write("fuzz_gift", "kinds", b"// #\xe3\x82\xbf x\n$CATEGORY: $course$/A\n\n::n::[html]a <b>b</b>{=%100%x#f =y####h}"
          b"\n\nQ {~a =b}\n\nQ {T}\n\nQ {#1:2}\n\nQ {=a -> b}\n\nQ \\{ {=\\~\\=\\# \\n}\n\nQ {=a\n")

    # Editor: the opened file, then the edits (operation byte and values; texts end at NUL).
    edits = bytes([0, 0, 0, 1]) + "新しい問題".encode("utf-8") + b"\0" \
        + bytes([1, 0]) + b"\\\\\\title\0" + bytes([2, 1, 1]) + b"q\0h\0a\0" \
        + bytes([5]) + b"@\0\r\n\0" + bytes([6, 7, 4, 0, 1, 1])
    write("fuzz_editor", "plain", drill1 + SEP + edits)
    write("fuzz_editor", "encoded", encoded + SEP + bytes([1]) + edits)
    write("fuzz_editor", "half-width", sjis("ﾃｽﾄｰ" + CRLF * 6) + SEP + bytes([0]))

    # History: stored records (mode 1) and a damaged file (mode 0).
    write("fuzz_history", "records", bytes([1, 0, 1, 5, 2, 1, 0, 1, 3, 3, 5, 1]) * 4)
    write("fuzz_history", "damaged", bytes([0]) + bytes(range(0, 60)))

    # Marks tables for a run of two sheets of 10 and 3 questions.
    head = "pupil,sheet,marks" + CRLF
    write("fuzz_marks", "class", (head + "1,1,○×○○△○○○○○\r\n2,2,××△\r\n,1,oxtoxtoxt-\r\n").encode("utf-8"))
    write("fuzz_marks", "bom", b"\xef\xbb\xbf" + 'pupil,sheet,marks\n3,1,"○○○○○○○○○○"\n\n'.encode("utf-8"))
    write("fuzz_marks", "refused", (head + "61,1,○\r\n").encode("utf-8"))
    write("fuzz_marks", "stored-rows", (head + "1,1,○○○○○○○○○○\r\n").encode("utf-8") + SEP
          + bytes([1, 0, 90, 0, 1, 0, 3, 0, 0, 0, 1, 0, 2, 0, 2, 1, 0, 9, 0, 40, 0, 5]))
    write("fuzz_marks", "same-pupil", (head + "1,1,〇✕△-XO〇✕△-\r\n1,2,○○○\r\n").encode("utf-8"))


if __name__ == "__main__":
    main()
