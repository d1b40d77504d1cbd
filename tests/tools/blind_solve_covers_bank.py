#!/usr/bin/env python3
"""The record of the last blind solve covers exactly the word bank: the same answers and
clues in the same order, the lengths and scripts of the answers, and 97 % or more solved
to our answer alone; every other entry says why a player still gets it.
usage: blind_solve_covers_bank.py WORDS.tsv BLIND-SOLVE.tsv"""
import sys

def rows(path):
    lines = [l.rstrip("\r\n") for l in open(path, encoding="utf-8-sig")]
    return [l.split("\t") for l in lines if l and not l.startswith("#")]

def script(answer):
    return "katakana" if all(0x30A0 <= ord(c) <= 0x30FF for c in answer) else "hiragana"

def main(words_path, record_path):
    bank = rows(words_path)
    record = rows(record_path)
    header, record = record[0], record[1:]
    problems = []
    if header != ["answer", "clue", "length", "script", "solver", "verdict"]:
        problems.append(f"unexpected header {header}")
    if [(w[0], w[1]) for w in bank] != [(r[0], r[1]) for r in record]:
        bank_pairs = set((w[0], w[1]) for w in bank)
        record_pairs = set((r[0], r[1]) for r in record)
        for answer, clue in sorted(bank_pairs - record_pairs)[:10]:
            problems.append(f"not in the record: {answer} 「{clue}」")
        for answer, clue in sorted(record_pairs - bank_pairs)[:10]:
            problems.append(f"not in the bank: {answer} 「{clue}」")
        if not problems:
            problems.append("the record lists the bank in another order")
    solved = 0
    for answer, clue, length, kind, solver, verdict in (r[:6] for r in record):
        if length != str(len(answer)) or kind != script(answer):
            problems.append(f"{answer}: length or script does not match the answer")
        if verdict == "solved":
            if solver != answer:
                problems.append(f"{answer}: called solved, but the solver gave {solver}")
            solved += 1
        elif not verdict.startswith("kept: ") or len(verdict) < 10:
            problems.append(f"{answer}: neither solved nor kept with a reason")
    rate = solved / max(1, len(record))
    if rate < 0.97:
        problems.append(f"only {rate:.1%} solved blind to our answer alone")
    for problem in problems:
        print(problem, file=sys.stderr)
    print(f"{len(record)} clues, {solved} solved blind ({rate:.1%})")
    return 1 if problems else 0

if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
