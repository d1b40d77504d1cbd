#!/usr/bin/env python3
"""The data tool on what is no data file of the game: a pipe, an endless device, a
100 MB container of empty records, and word lists too large to make a set from. Each ends at once with a reason and a non-zero exit,
within bounded memory (under an address-space limit when the tool is not sanitized).
usage: data_tool_bounds.py TAZUMEKI_DATA"""
import os
import resource
import subprocess
import sys
import tempfile

MAGIC = b"ABCDEFGHIJKL"

def run(tool, args, limit_as):
    command = [tool] + args
    if limit_as:
        command = ["prlimit", f"--as={1 << 30}", "--"] + command
    return subprocess.run(command, capture_output=True, timeout=20)

def main(tool):
    sanitized = b"libasan" in subprocess.run(["ldd", tool], capture_output=True).stdout
    problems = []
    with tempfile.TemporaryDirectory() as folder:
        pipe = os.path.join(folder, "data1.dat")
        os.mkfifo(pipe)
        huge = os.path.join(folder, "huge.dat")
        with open(huge, "wb") as out:
            out.write(MAGIC + bytes([1]) + bytes(range(128)) * 8)
            empties = bytes([3]) * (1 << 20)
            for _ in range(100):
                out.write(empties)
        big_list = os.path.join(folder, "big.tsv")
        with open(big_list, "wb") as out:
            out.write("ねこ\ta cat\n".encode() * (2 << 20))
        many_words = os.path.join(folder, "many.tsv")
        with open(many_words, "wb") as out:
            out.write("".join(f"ね{i}\tclue {i}\n" for i in range(200_000)).encode())
        cases = [
            (["check", pipe], "a pipe"),
            (["unpack", pipe, "--utf8"], "a pipe"),
            (["records", folder], "a pipe in the records folder"),
            (["check", "/dev/zero"], "an endless device"),
            (["show", "/dev/zero", "--json"], "an endless device"),
            (["unpack", huge, "--utf8"], "100 MB of empty records"),
            (["check", huge], "100 MB of empty records"),
            (["build", pipe, "--check"], "a pipe"),
            (["build", "/dev/zero", "--check"], "an endless device"),
            (["build", big_list, "--check"], "a word list of 26 MB"),
            (["build", many_words, "--check"], "a word list of 200,000 lines"),
        ]
        for args, what in cases:
            try:
                result = run(tool, args, limit_as=not sanitized)
            except subprocess.TimeoutExpired:
                problems.append(f"{' '.join(args)}: hung on {what}")
                continue
            if result.returncode == 0 or result.returncode < 0 or not (result.stderr + result.stdout).strip():
                problems.append(f"{' '.join(args)}: exit {result.returncode} on {what}, "
                                f"said {result.stderr.decode(errors='replace')!r}")
    peak_mb = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024
    if peak_mb > 400:
        problems.append(f"the tool took {peak_mb:.0f} MB at its peak")
    for problem in problems:
        print(problem, file=sys.stderr)
    print(f"{len(cases)} cases, peak {peak_mb:.0f} MB{'' if sanitized else ' under a 1 GiB address-space limit'}")
    return 1 if problems else 0

if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
