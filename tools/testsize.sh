#!/usr/bin/env bash
# Program lines against test lines (simulators and test support included), counted by cloc as
# C++ code lines: no blanks, no comments, no forms.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v cloc >/dev/null || { echo "testsize: cloc is missing (tools/deps.sh installs it)" >&2; exit 2; }
count() { cloc --quiet --csv --include-lang='C++,C/C++ Header' "$@" | awk -F, '$2 == "SUM" { print $5 }'; }
program=$(count src)
tests=$(count tests)
support=$(count tests/support)
awk -v p="$program" -v t="$tests" -v s="$support" 'BEGIN {
    printf "program %d lines, tests %d lines (support %d), ratio %.2f\n", p, t, s, t / p }'
