#!/usr/bin/env bash
# Measures what the suite catches: each fault of tools/mutants.txt is put into a copy of the
# tree, the copy is built (no sanitizer, no benchmarks, no fuzz targets) and CTest runs until
# the first failure. A fault no test notices "survived".
#   tools/mutants.sh              every fault
#   tools/mutants.sh 3 17 40      faults by their number (as the run prints it)
#   tools/mutants.sh comm/usb     faults whose file matches the pattern
# MUTANTS_DIR holds the copy and its build (default /tmp/lantrel-mutants-UID); MUTANTS_JOBS the
# parallel jobs (default 3). The working tree itself is never written.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="${MUTANTS_DIR:-/tmp/lantrel-mutants-$(id -u)}"
jobs="${MUTANTS_JOBS:-3}"
list="$root/tools/mutants.txt"
tree="$dir/tree"
build="$dir/build"

rm -rf "$tree"
mkdir -p "$tree"
tar -C "$root" --exclude='./build*' --exclude=./.git --exclude=./work -cf - . | tar -C "$tree" -xf -
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$tree" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLANTREL_SANITIZE=none \
    -DLANTREL_BUILD_BENCH=OFF -DLANTREL_BUILD_FUZZ=OFF "${launcher[@]}" >/dev/null
export QT_QPA_PLATFORM=offscreen

build_and_test() {
    cmake --build "$build" -j "$jobs" >"$dir/build.log" 2>&1 || return 2
    ctest --test-dir "$build" -j "$jobs" --stop-on-failure --timeout 300 >"$dir/ctest.log" 2>&1 || return 1
}

echo "Baseline build and suite..."
if ! build_and_test; then
    echo "mutants: the unmutated tree does not pass; see $dir/build.log and $dir/ctest.log" >&2
    exit 2
fi

# The mutated file is put back from its copy taken just before, whatever ends the run.
current=""
restore() { [ -n "$current" ] && cp "$dir/pristine" "$tree/$current"; current=""; }
trap restore EXIT
trap 'restore; exit 130' INT TERM

killed=0 survived=0 stale=0 broken=0 n=0
survivors=()
while IFS=$'\t' read -r file old new; do
    case "$file" in '' | '#'*) continue ;; esac
    n=$((n + 1))
    if [ $# -gt 0 ]; then
        wanted=no
        for sel in "$@"; do
            if [[ "$sel" =~ ^[0-9]+$ ]]; then [ "$sel" = "$n" ] && wanted=yes
            elif [[ "$file" == *"$sel"* ]]; then wanted=yes; fi
        done
        [ "$wanted" = yes ] || continue
    fi
    cp "$tree/$file" "$dir/pristine"
    current="$file"
    if ! python3 - "$tree/$file" "$old" "$new" <<'EOF'; then
import sys
path, old, new = sys.argv[1:]
unescape = lambda s: s.replace("\\n", "\n").replace("\\t", "\t").replace("\\\\", "\\")
old, new = unescape(old), unescape(new)
text = open(path, encoding="utf-8").read()
if text.count(old) != 1:
    sys.exit(1)
open(path, "w", encoding="utf-8").write(text.replace(old, new))
EOF
        current=""
        stale=$((stale + 1))
        printf '%3d %-34s stale (text not found once)\n' "$n" "$file"
        continue
    fi
    rc=0
    build_and_test || rc=$?
    restore
    case $rc in
    0) survived=$((survived + 1)); survivors+=("$n")
       printf '%3d %-34s SURVIVED  %s\n' "$n" "$file" "$old" ;;
    1) killed=$((killed + 1))
       printf '%3d %-34s killed by %s\n' "$n" "$file" \
           "$(sed -n '/tests FAILED:/,$s/^[[:space:]]*[0-9]*[[:space:]]*-[[:space:]]*\([^ ]*\) .*/\1/p' "$dir/ctest.log" | paste -sd ' ')" ;;
    *) broken=$((broken + 1))
       printf '%3d %-34s does not build\n' "$n" "$file" ;;
    esac
done <"$list"
cmake --build "$build" -j "$jobs" >/dev/null 2>&1 || true

total=$((killed + survived))
echo "killed $killed of $total (survived: ${survivors[*]:-none}; stale $stale; not building $broken)"
