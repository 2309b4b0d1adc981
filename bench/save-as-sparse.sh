#!/bin/bash
# Save As of a large sparse program image, next to cp of the same file: wall
# time and peak memory (maximum resident set) of each, best of RUNS.
#
#   bench/save-as-sparse.sh [ZLC62740] [GIGABYTES] [RUNS]
# Defaults: build/release/bin/zlc62740 (else build/dev), 1, 3.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
zlc=${1:-$root/build/release/bin/zlc62740}
[ -x "$zlc" ] || zlc=$root/build/dev/bin/zlc62740
gigabytes=${2:-1}
runs=${3:-3}
work=$(mktemp -d "${TMPDIR:-/tmp}/zlc-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

# An ELF header, a megabyte of code-like data, the block in the middle of a
# hole, and a megabyte of data at the end.
image=$work/big.exe
printf '\177ELF' >"$image"
head -c $((1 << 20)) /dev/urandom >>"$image"
truncate -s "${gigabytes}G" "$image"
printf '6274 HAL EXE\0\0\0\0\x34\x12\x44\x00' |
    dd of="$image" bs=1 seek=$(($(stat -c %s "$image") / 2)) conv=notrunc status=none
head -c $((1 << 20)) /dev/urandom |
    dd of="$image" bs=1M seek=$((gigabytes * 1024 - 1)) conv=notrunc status=none
echo "image: $(stat -c %s "$image") bytes, $(($(stat -c %b "$image") * 512 / 1024)) KB on disk"

measure() {
    local name=$1
    shift
    local best=""
    for ((i = 0; i < runs; i++)); do
        rm -f "$work/out"
        sync
        local start line
        start=$(date +%s.%N)
        line=$(/usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -n 1)
        line="$(echo "$(date +%s.%N) - $start" | bc) $line"
        if [ -z "$best" ] || awk -v a="${line%% *}" -v b="${best%% *}" 'BEGIN { exit !(a < b) }'; then
            best=$line
        fi
    done
    printf '%-22s %7.3f s  %8d KB peak  %8d KB on disk\n' "$name" "${best%% *}" "${best##* }" \
        $(($(stat -c %b "$work/out") * 512 / 1024))
}

measure "zlc62740 save --as" "$zlc" --set 33=640 save "$image" --as "$work/out"
"$zlc" --in "$work/out" get 33 | grep -qx 640 || { echo "the copy does not hold the new block"; exit 1; }
measure "cp" cp "$image" "$work/out"
