#!/usr/bin/env python3
"""Writes the seed corpus of the text fuzz targets: small UTF-16LE texts, well formed and not, and
the same lines in the other encodings an import file may come in.

Run from anywhere; the files go to corpus/<target>/ beside this script. They are checked in,
so this is needed only to change them.
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent

PHRASE_TEXT = {
    "one_line": "YOEY\t詞彙\r\n",
    "several_lines": "A\t人\r\nQA\t人民\r\n,./;\t標點\r\nZZZZZZ\t很長的輸入鍵\r\n",
    "lower_case_key": "yoey\tP\r\n",
    "tab_in_key": "A\tB\tC\r\n",
    "empty_line": "A\tx\r\n\r\nB\ty\r\n",
    "no_tab": "YOEY\r\n",
    "empty_phrase": "YOEY\t\r\n",
    "invalid_key_units": "AB1\tx\r\nA'\ty\r\n \tz\r\n",
    "lf_only": "A\tx\nB\ty\n",
    "lone_cr": "A\tx\rB\ty\r\nC\tz\r\n",
    "no_final_cr": "A\tx\r\nB\ty",
    "ends_in_cr": "A\tx\r\nB\ty\r",
    "byte_order_mark": "\ufeffA\tx\r\nB\ty\r\n",
    "ascii_phrases": "AB\txABy\r\nCD\tab\r\nEF\tAB\r\n",
    "duplicates": "A\tsame\r\nA\tsame\r\nB\tsame\r\n",
    "control_units": "A\tx\ny\x00z\r\n",
}

TIPS_TEXT = {
    "one_line": "人=人民,人們\r\n",
    "several_lines": "人=人民,人們\r\n大=大人,大家,大學\r\n中=中國,中文\r\n",
    "empty_line": "A=x\r\n\r\nB=y\r\n",
    "no_separator": "AB=x\r\nx\r\n",
    "equals_character": "==x\r\n",
    "empty_words": "A=\r\n",
    "separator_in_words": "A=a=b\r\n",
    "byte_order_mark": "\ufeffA=x\r\nB=y\r\n",
    "lone_cr": "A=x\rB=y\r\nC=z\r\n",
    "no_final_cr": "A=x\r\nB=y",
    "ends_in_cr": "A=x\r\nB=y\r",
    "letters_both_cases": "a=x\r\nA=y\r\nb=z\r\n",
    "empty_words_between_commas": "人=,,人民,,\r\n",
    "surrogate_pair": "\U00020000=x\r\n",
}


def write(target: str, texts: dict) -> None:
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    for name, text in texts.items():
        (folder / name).write_bytes(text.encode("utf-16-le"))
    # An odd last byte is ignored by the targets.
    (folder / "odd_length").write_bytes(next(iter(texts.values())).encode("utf-16-le") + b"\x41")


write("phrase_text", PHRASE_TEXT)
write("tips_text", TIPS_TEXT)


UTF8_MARK = b"\xef\xbb\xbf"
TEXT_ENCODING = {
    "notepad_phrases": UTF8_MARK + "YOEY\t詞彙\r\nQ\t人民\r\n".encode(),
    "notepad_tips": UTF8_MARK + "人=人民,人們\r\n".encode(),
    "utf8_without_mark": "A\t人\r\nB\t\U00020000\r\n".encode(),
    "utf16le": "A\tx\r\n".encode("utf-16-le"),
    "utf16le_mark": b"\xff\xfe" + "A\t人\r\n".encode("utf-16-le"),
    "utf16be_mark": b"\xfe\xff" + "A\t人\r\n".encode("utf-16-be"),
    "utf16be_odd_length": b"\xfe\xff" + "A\tx\r\n".encode("utf-16-be") + b"\x41",
    "big5": b"YOEY\t\xa4\x48\r\n",
    "big5_lf_extensions": b"Q\t\xa3\xe1\xf9\xf9\x81\x40\nK\t\xa4\x5c\n",
    "big5_broken_pair": b"A\t\xa4\x40\nB\t\xa4\nC\t\xa4\x48",
    "lf_only": "A\t人\nB\tx\n".encode(),
    "cr_only": b"AB\tx\rCD\ty\rEF\tz",
    "utf16le_lf_only": "A\tx\nB\ty".encode("utf-16-le"),
    "cut_short": UTF8_MARK + b"A\tx\r\nB\t\xe4\xba\r\nC\ty\r\n",
    "undecodable_after_cr": UTF8_MARK + b"A\tx\r\xe4\xbaB\ty\r\n",
    "overlong_and_surrogate": UTF8_MARK + b"A\t\xc0\x80\xed\xa0\x80\r\n",
    "undecodable_last_line": UTF8_MARK + b"A\tx\r\nB\t\xff",
}


def write_bytes(target: str, seeds: dict) -> None:
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in seeds.items():
        (folder / name).write_bytes(data)


write_bytes("text_encoding", TEXT_ENCODING)


# Import and merge: a first byte (even: phrases, odd: associated words), then UTF-16LE text split
# at U+FFFF into the stored table, the marks (bit b of unit u marks entry 16 u + b) and the file.
PHRASES, TIPS = b"\x00", b"\x01"
END = "\uffff"
TABLE_MERGE = {
    "phrases_same_key": (PHRASES, "A\tAbc\r\nCD\t謝謝\r\n" + END + "\u0000" + END + "a\tABC\r\nQQ\t謝謝\r\ncd\t謝謝\r\n"),
    "phrases_marked_row": (PHRASES, "A\tx\r\nB\ty\r\nA\tx\r\n" + END + "\u0001" + END + "A\tX\r\nA\tx\r\nB\tY\r\n"),
    "phrases_all_marked": (PHRASES, "A\tx\r\nB\ty\r\n" + END + "\u0003" + END + "b\ty\r\nA\tx\r\nZ\t\r\nbad\r\n"),
    "phrases_same_text": (PHRASES, "YOEY\t詞彙\r\nA\tx\r\nyoey\t詞彙\r\n"),
    "phrases_no_marks": (PHRASES, "A\tx\r\n" + END + "A\tx\r\nA\tx\rB\ty\r\nC\tz"),
    "tips_exact_character": (TIPS, "A=apple\r\n人=人民\r\n" + END + "\u0000" + END + "a=APPLE,ant\r\nA=Ant,bee\r\n"),
    "tips_first_unmarked": (TIPS, "人=人民\r\n人=人類\r\n人=人們\r\n" + END + "\u0001" + END + "人=人生,人民\r\n人=人類\r\n"),
    "tips_all_marked": (TIPS, "人=人民\r\n大=\r\n" + END + "\u0003" + END + "人=人民,,人民\r\n人=人們,人民\r\n大=大家\r\n"),
    "tips_commas": (TIPS, "中=中心,\r\n小=,,\r\n" + END + "\u0000" + END + "中=中間,,中心\r\n小=小孩\r\n=x\r\n"),
    "tips_same_text": (TIPS, "人=人民,人們\r\n人=人生\r\nA=a,A\r\n"),
}
write_bytes("table_merge", {name: kind + text.encode("utf-16-le") for name, (kind, text) in TABLE_MERGE.items()})
