#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the seed corpus of the form's fuzz target into app/fuzz/corpus/ and its dictionary
app/fuzz/form.dict.

Every seed is a sequence of events as form_fuzz.cpp reads them: an opcode byte, then its operands.
Texts are written as UTF-16LE (mode byte 1, then the length in units, then the units). The seeds are
the shapes of the ordinary scenarios: searches for 王, for two-character family names and for an
empty one, bad dates, collecting, deleting, the five-grid report, the popup, resizes, the web site
and closing. The dictionary holds the family names and dates of the tests as UTF-16LE.

Run it from anywhere; it replaces the folder's contents, so the corpus only ever holds what this
script makes:  python3 app/fuzz/make_corpus.py
"""

import pathlib
import shutil
import struct

TYPE, OPTION, DATE, SEARCH, SELECT, FILE, POPUP, MOUSE, RESIZE, FOCUS = range(10)
ONE, TWO, MAN, WOMAN = range(4)
YEAR, MONTH, DAY, HOUR, MINUTE = range(5)
CLICK, CTRL_CLICK, DRAG, CLEAR = range(4)
SAVE, DELETE, WUGE, WEB_SITE, EXIT = range(5)
LEFT, RIGHT, MIDDLE = range(3)
ANSWER_YES, BROWSER_BROKEN = 1, 2


def text(value):
    units = value.encode("utf-16-le")
    return bytes([1, len(units) // 2]) + units


def type_name(value, at_caret=False):
    return bytes([TYPE, 1 if at_caret else 0]) + text(value)


def date(box, value):
    return bytes([DATE, box]) + text(value)


def moment(year, month, day, hour="12", minute="0"):
    return b"".join(date(box, value) for box, value in
                    zip((YEAR, MONTH, DAY, HOUR, MINUTE), (year, month, day, hour, minute)))


def search(answers=0):
    return bytes([SEARCH, answers])


def option(which):
    return bytes([OPTION, which])


def select(index, kind=CLICK):
    return bytes([SELECT, index, kind])


def command(which, browser_broken=False):
    return bytes([FILE, which + (5 if browser_broken else 0)])


def popup(which):
    return bytes([POPUP, which])


def mouse(button, x, y):
    return bytes([MOUSE, button]) + struct.pack("<ii", x, y)


def resize(width, height, huge=False):
    return bytes([RESIZE]) + struct.pack("<ii", width, height) + bytes([1 if huge else 0])


WANG = type_name("王")
SEEDS = {
    "search-wang": WANG + search(),
    "search-wang-yes": WANG + search(ANSWER_YES),
    "search-wang-yes-browser-broken": WANG + search(ANSWER_YES | BROWSER_BROKEN),
    "search-wang-girl": WANG + option(WOMAN) + search(),
    "search-wang-one-character": WANG + option(ONE) + search(),
    "search-li": type_name("李") + search(),
    "search-ouyang": type_name("欧阳") + search() + option(ONE) + search(),
    "search-gongsun-one-character": type_name("公孙") + option(ONE) + search(),
    "search-empty-girl": type_name("") + option(WOMAN) + search() + select(0) + select(1, CTRL_CLICK)
    + select(2, CTRL_CLICK) + command(SAVE),
    "search-twice-collect-between": WANG + search() + select(3) + command(SAVE) + type_name("李") + search(),
    "search-pasted-controls": type_name("王\x00\r\n\t\x85") + search(),
    "search-outside-basic-plane": type_name("\U0002000b王") + search(),
    "search-typed-at-caret": type_name("王") + type_name("李", at_caret=True) + search(),
    "search-first-and-last-day": moment("1901", "2", "19", "0", "0") + search()
    + moment("2048", "12", "31", "23", "59") + search(),
    "bad-date-april-31": WANG + search() + moment("2000", "4", "31") + search(),
    "bad-date-letters": WANG + search() + date(YEAR, "abc") + search(),
    "bad-date-empty-day": WANG + search() + select(0) + command(DELETE) + date(DAY, "") + search(),
    "bad-date-full-width": WANG + search() + date(YEAR, "２０００") + search(),
    "bad-date-chinese-numerals": WANG + search() + date(YEAR, "二〇〇〇") + search(),
    "bad-date-huge": WANG + search() + date(MINUTE, "99999999999999999999") + search(),
    "bad-date-signs": WANG + search() + date(MONTH, "-1") + search() + date(MONTH, "+1") + search(),
    "bad-date-before-calendar": WANG + search() + moment("1901", "2", "18") + search(),
    "bad-date-first": moment("2000", "2", "30") + search(),
    "leading-zeros": moment("02000", "01", "001", "00", "00") + WANG + search(),
    "collect-two": WANG + search() + select(0) + select(3, CTRL_CLICK) + command(SAVE),
    "collect-run-from-popup": WANG + search() + select(2) + select(6, DRAG) + mouse(RIGHT, 40, 50) + popup(SAVE),
    "collect-before-search": command(SAVE),
    "collect-twice": WANG + search() + select(0) + command(SAVE) + select(0) + command(SAVE),
    "delete-scattered": WANG + search() + select(2) + select(5, CTRL_CLICK) + select(7, CTRL_CLICK) + command(DELETE),
    "delete-from-popup": WANG + search() + select(1) + mouse(RIGHT, -5, 70000) + popup(DELETE),
    "five-grid-report": WANG + search() + select(0) + command(WUGE) + command(WUGE),
    "five-grid-report-edited-name": WANG + search() + select(4) + type_name("欧阳") + popup(WUGE) + command(SAVE),
    "five-grid-report-without-entry": WANG + search() + select(0, CLEAR) + command(WUGE),
    "resize-below-and-at-threshold": resize(12000, 4454) + resize(12000, 4455) + resize(10140, 7000),
    "resize-zero-negative-huge": resize(0, 0) + resize(-1, -100000) + resize(2**31 - 1, 2**31 - 1, huge=True),
    "resize-narrow": resize(300, 9000) + resize(9285, 9000) + resize(9291, 9000),
    "mouse-buttons": WANG + search() + mouse(LEFT, 1, 2) + mouse(MIDDLE, 3, 4) + mouse(RIGHT, -(2**31), 2**31 - 1),
    "web-site": command(WEB_SITE) + command(WEB_SITE, browser_broken=True),
    "exit": WANG + search() + command(EXIT) + search(),
    "focus-then-paste": type_name("欧阳") + bytes([FOCUS]) + type_name("公孙") + search(),
}

# Family names and dates of the tests, as the texts' raw units.
DICTIONARY = {
    "wang": "王", "li": "李", "zhao": "赵", "chen": "陈", "ouyang": "欧阳", "gongsun": "公孙",
    "paoguan": "袍灌", "ideographic_space": "\u3000", "outside_basic_plane": "\U0002000b",
    "year_2000": "2000", "year_1901": "1901", "year_2048": "2048", "year_2045": "2045",
    "month_12": "12", "day_31": "31", "day_29": "29", "hour_23": "23", "minute_59": "59",
    "zero": "0", "leading_zero": "00", "minus": "-1", "plus": "+1", "huge": "4294967296",
    "full_width_2000": "２０００", "chinese_2000": "二〇〇〇",
}


def escaped(data):
    return "".join(f"\\x{byte:02x}" for byte in data)


def main():
    folder = pathlib.Path(__file__).resolve().parent
    corpus = folder / "corpus"
    shutil.rmtree(corpus, ignore_errors=True)
    corpus.mkdir()
    for name, data in SEEDS.items():
        (corpus / name).write_bytes(data)
    lines = ["# Generated by app/fuzz/make_corpus.py: the texts of the form's tests as UTF-16LE."]
    lines += [f'{name}="{escaped(value.encode("utf-16-le"))}"' for name, value in DICTIONARY.items()]
    (folder / "form.dict").write_text("\n".join(lines) + "\n", encoding="ascii")


if __name__ == "__main__":
    main()
