#!/usr/bin/env python3
"""Runs one comparison and reads its verdict and summary line."""
import re
import subprocess
import sys


def compare(reference, recording, error_limit=1, gain_db=-6, tolerance_db=-40, skip=480):
    result = subprocess.run(
        ["tonalign", reference, recording, str(error_limit), str(gain_db), str(tolerance_db), str(skip)],
        capture_output=True, text=True, errors="replace")
    summary = re.search(r"^Reached EOF\. Number of samples = (\d+), Number of errors = (\d+)$",
                        result.stdout, re.MULTILINE)
    errors = [int(n) for n in re.findall(r"^Error: SampleNo #(\d+)\.", result.stdout, re.MULTILINE)]
    return {
        "passed": result.returncode == 0,
        "samples": int(summary.group(1)) if summary else None,
        "errors": errors,  # positions in the recording of the differing samples
        "last_line": result.stdout.splitlines()[-1] if result.stdout else "",
    }


if __name__ == "__main__":
    verdict = compare(sys.argv[1], sys.argv[2])
    print(verdict)
    sys.exit(0 if verdict["passed"] else 1)
