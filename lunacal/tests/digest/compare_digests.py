# SPDX-License-Identifier: MIT
"""Runs answer_digest of one build and compares its answers with the recorded digest and, when a
reference build is named, with that build's answers in the same run; a difference is reported as
the first input on which the two differ, with both answers.

  compare_digests.py --recorded FILE [--write FILE] [--reference PROGRAM] -- COMMAND...

COMMAND runs this build's answer_digest (through wine for a Windows build); PROGRAM is the Linux
build's answer_digest. --write keeps this build's digest lines in FILE.
"""
import argparse
import datetime
import struct
import subprocess
import sys

ANSWER_NAMES = {
    "moment": ["lunar year", "lunar month", "lunar day", "leap", "year pillar", "month pillar",
               "day pillar", "hour pillar"],
    "term": ["day", "hour", "minute", "second"],
    "lunar": ["Gregorian year", "month", "day"],
}


def run(command, *arguments):
    result = subprocess.run([*command, *arguments], stdout=subprocess.PIPE, text=True, check=False)
    if result.returncode != 0:
        sys.exit(f"compare_digests: {' '.join(command)} failed with status {result.returncode}")
    return result.stdout.splitlines()


def digest_line(lines):
    if not lines or not lines[-1].startswith("answer digest "):
        sys.exit("compare_digests: answer_digest printed no digest line")
    return lines[-1]


def describe(input_text):
    """The input of a dump line in words; a moment's bits also as its value and Gregorian time."""
    kind, *fields = input_text.split()
    if kind != "moment":
        return input_text
    value = struct.unpack("<d", struct.pack("<Q", int(fields[0], 16)))[0]
    # Before 1899-12-30 a DATE counts its time of day backwards, so only later ones are dated here.
    if 0.0 <= value < 2958466.0:
        when = datetime.datetime(1899, 12, 30) + datetime.timedelta(days=value)
        return f"moment {value!r} (about {when:%Y-%m-%d %H:%M:%S.%f}, bits {fields[0]})"
    return f"moment {value!r} (bits {fields[0]})"


def first_difference(candidate, reference, block):
    ours = run(candidate, "--block", str(block))
    theirs = run(reference, "--block", str(block))
    for line, other in zip(ours, theirs):
        if line != other:
            input_text, answers = line.split(" => ")
            other_input, other_answers = other.split(" => ")
            if input_text != other_input:
                return f"the two builds generate different inputs: {line!r} and {other!r}"
            names = ANSWER_NAMES[input_text.split()[0]]
            return (f"first differing input: {describe(input_text)}\n"
                    f"  this build: {dict(zip(names, answers.split()))}\n"
                    f"  reference:  {dict(zip(names, other_answers.split()))}")
    return f"block {block} differs, but its inputs answer alike one by one"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--recorded", required=True)
    parser.add_argument("--write")
    parser.add_argument("--reference")
    parser.add_argument("command", nargs="+")
    options = parser.parse_args()

    lines = run(options.command)
    ours = digest_line(lines)
    print(ours)
    if options.write:
        with open(options.write, "w", encoding="utf-8") as out:
            out.write("\n".join(lines) + "\n")

    if options.reference:
        reference_lines = run([options.reference])
        print(f"reference: {digest_line(reference_lines)}")
        if reference_lines != lines:
            for block, (line, other) in enumerate(zip(lines, reference_lines)):
                if line != other:
                    print(f"compare_digests: this build answers differently from the reference "
                          f"{options.reference}", file=sys.stderr)
                    print(first_difference(options.command, [options.reference], block),
                          file=sys.stderr)
                    return 1
            print("compare_digests: the two builds ask different numbers of inputs", file=sys.stderr)
            return 1

    with open(options.recorded, encoding="utf-8") as recorded_file:
        recorded = recorded_file.read().strip()
    if ours != recorded:
        print(f"compare_digests: the answers changed from the recorded ones\n"
              f"  recorded: {recorded}\n  now:      {ours}\n"
              f"If the change is meant, record the new line in {options.recorded}.", file=sys.stderr)
        return 1
    print("compare_digests: the same answers as recorded" +
          (" and as the reference build" if options.reference else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())
