#!/bin/bash
# The file commands of zlc62740 on large files, each side by side in one run
# with a program that does the same work without understanding the file (cat,
# cp, srec_cat): median wall time of RUNS runs, peak memory (maximum resident
# set) and the ratio, with the limit each row is held to. Then the peak memory
# of every command on each of the three large files.
#
#   bench/peers.sh [ZLC62740] [RUNS]
# Defaults: build/release/bin/zlc62740 (else build/dev), 5. Needs about 1.5 GB
# of disk space in $TMPDIR (default /tmp); the page cache is warmed first.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
zlc=${1:-$root/build/release/bin/zlc62740}
[ -x "$zlc" ] || zlc=$root/build/dev/bin/zlc62740
runs=${2:-5}
work=$(mktemp -d "${TMPDIR:-/tmp}/zlc-peers-XXXXXX")
trap 'rm -rf "$work"' EXIT
echo "zlc62740: $zlc; $runs runs per row; load average: $(cut -d' ' -f1-3 /proc/loadavg)"

block() { printf '6274 HAL EXE\0\0\0\0\x34\x12\x44\x00'; }

# An ELF header, a megabyte of program, the block in the middle of a hole and
# a megabyte of data at the end.
sparse() {
    printf '\177ELF' >"$1"
    head -c $((1 << 20)) /dev/urandom >>"$1"
    truncate -s "$2" "$1"
    block | dd of="$1" bs=1 seek=$(($(stat -c %s "$1") / 2)) conv=notrunc status=none
    head -c $((1 << 20)) /dev/urandom | dd of="$1" bs=1M seek=$(($(stat -c %s "$1") / 1048576 - 1)) \
        conv=notrunc status=none
}
sparse "$work/sparse1g.elf" 1G
sparse "$work/sparse2g.elf" 2G
head -c $((256 << 20)) /dev/urandom >"$work/dense.exe"
block | dd of="$work/dense.exe" bs=1 seek=$((128 << 20)) conv=notrunc status=none
python3 "$root/tests/fault/make-srecord.py" "$work/records.s9" 82
python3 "$root/tests/fault/make-srecord.py" "$work/shrinks.s9" 82 --blank-line
# Written back before anything is timed, so that no save waits for them.
sync
cat "$work"/*.s9 "$work/dense.exe" >/dev/null

# measure SETUP COMMAND...: SETUP (shell text) runs before each run, untimed.
# Prints the median seconds and the largest peak memory in kilobytes.
measure() {
    local setup=$1
    shift
    local times=() peak=0
    for ((i = 0; i < runs; i++)); do
        eval "$setup"
        local start end kb
        start=$(date +%s%N)
        /usr/bin/time -o "$work/rusage" -f %M "$@" >/dev/null 2>&1 || true
        end=$(date +%s%N)
        kb=$(tail -n 1 "$work/rusage")
        times+=($((end - start)))
        [ "$kb" -gt "$peak" ] && peak=$kb
    done
    local median
    median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
    echo "$(awk -v n="$median" 'BEGIN { printf "%.4f", n / 1e9 }') $peak"
}

# row NAME LIMIT "ZLC-SETUP" "ZLC-COMMAND" PEER-NAME "PEER-SETUP" "PEER-COMMAND"
row() {
    local ours theirs
    ours=$(measure "$3" sh -c "$4")
    if [ -n "$6$7" ]; then
        theirs=$(measure "$6" sh -c "$7")
    else
        theirs="0 0"
    fi
    awk -v name="$1" -v limit="$2" -v peer="$5" -v o="$ours" -v t="$theirs" 'BEGIN {
        split(o, a, " "); split(t, b, " ")
        ratio = b[1] > 0 ? sprintf("%6.2fx", a[1] / b[1]) : "      "
        printf "%-46s %8.3f s %5d MB | %-14s %8.3f s %5d MB | %s  %s\n",
            name, a[1], a[2] / 1024, peer, b[1], b[2] / 1024, ratio, limit }'
}

printf '%-46s %10s %8s | %-14s %10s %8s | %7s  %s\n' "work" "zlc62740" "peak" "peer" "time" \
    "peak" "ratio" "limit"
z=$zlc
w=$work
row "get 33, 1 GB sparse raw" "<= 0.05 s" "" "$z --in $w/sparse1g.elf get 33" \
    "cp --sparse" "rm -f $w/out" "cp --sparse=always $w/sparse1g.elf $w/out"
row "get 33, 256 MB dense raw" "<= 1.3x cat" "" "$z --in $w/dense.exe get 33" \
    "cat" "" "cat $w/dense.exe"
# A save is on the disk before it reports success; cp leaves its copy in the
# page cache. Each save row is therefore shown beside both.
row "save --as, 256 MB dense raw" "<= 1.5x cp" "rm -f $w/out.exe" \
    "$z --in $w/dense.exe --set 33=640 save $w/dense.exe --as $w/out.exe" \
    "cp" "rm -f $w/out" "cp $w/dense.exe $w/out"
row "same" "" "rm -f $w/out.exe" \
    "$z --in $w/dense.exe --set 33=640 save $w/dense.exe --as $w/out.exe" \
    "cp; sync" "rm -f $w/out" "cp $w/dense.exe $w/out; sync $w/out"
row "save --as, 82 MB S-record (records patched)" "<= 2x cp" "rm -f $w/out.s9" \
    "$z --in $w/records.s9 --set 33=640 save $w/records.s9 --as $w/out.s9" \
    "cp" "rm -f $w/out" "cp $w/records.s9 $w/out"
row "same" "" "rm -f $w/out.s9" \
    "$z --in $w/records.s9 --set 33=640 save $w/records.s9 --as $w/out.s9" \
    "cp; sync" "rm -f $w/out" "cp $w/records.s9 $w/out; sync $w/out"
row "same, srec_cat reading and writing it" "" "rm -f $w/out.s9" \
    "$z --in $w/records.s9 --set 33=640 save $w/records.s9 --as $w/out.s9" \
    "srec_cat" "rm -f $w/out" "srec_cat $w/records.s9 -o $w/out"
row "save --as, 82 MB S-record (length changes)" ">= 10x faster" "rm -f $w/out.s9" \
    "$z --in $w/shrinks.s9 --set 33=640 save $w/shrinks.s9 --as $w/out.s9" \
    "srec_cat" "rm -f $w/out" "srec_cat $w/shrinks.s9 -o $w/out"
row "same" "" "rm -f $w/out.s9" \
    "$z --in $w/shrinks.s9 --set 33=640 save $w/shrinks.s9 --as $w/out.s9" \
    "srec_cat; sync" "rm -f $w/out" "srec_cat $w/shrinks.s9 -o $w/out; sync $w/out"
row "diff, 2 GB sparse and 256 MB dense raw" "<= 0.1 s" "" \
    "$z diff $w/sparse2g.elf $w/dense.exe" "" "" ""

# 1000 small files configured while another program writes 1 GB to the same
# disk and syncs it, and the same on a quiet disk.
mkdir "$w/many"
small=$w/small.exe
{ head -c 32 /dev/urandom; block; head -c 48 /dev/zero; head -c 32 /dev/urandom; } >"$small"
for i in $(seq 1000); do cp "$small" "$w/many/f$i.exe"; done
sync
row "configure 1000 files of $(stat -c %s "$small") bytes" "" "" \
    "$z --set 33=640 configure $w/many/*.exe" "" "" ""
# The writer starts again whenever it is done, so that every run has it beside.
(while :; do dd if=/dev/zero of="$w/disk-load" bs=1M count=1024 conv=fsync status=none; done) &
writer=$!
sleep 0.5
row "the same beside a dd of 1 GB with conv=fsync" "<= 1 s" "" \
    "$z --set 33=640 configure $w/many/*.exe" "" "" ""
kill $writer
wait $writer 2>/dev/null || true
pkill -f "of=$w/disk-load" || true
rm -f "$w/disk-load"

echo
echo "peak memory of every command (MB; limit 64):"
printf '%-22s' "file"
commands=(get show save "save --as" configure diff export)
for c in "${commands[@]}"; do printf '%11s' "$c"; done
echo
runs=1
for f in sparse1g.elf dense.exe records.s9; do
    printf '%-22s' "$f"
    ext=${f##*.}
    for c in "${commands[@]}"; do
        setup="rm -f $w/copy.$ext $w/out.$ext"
        case $c in
        get) cmd="$z --in $w/$f get 33" setup= ;;
        show) cmd="$z --in $w/$f show" setup= ;;
        save) cmd="$z --in $w/copy.$ext --set 33=640 save $w/copy.$ext"
            setup="$setup; cp --sparse=always $w/$f $w/copy.$ext" ;;
        "save --as") cmd="$z --in $w/$f --set 33=640 save $w/$f --as $w/out.$ext" ;;
        configure) cmd="$z --set 33=640 configure $w/copy.$ext"
            setup="$setup; cp --sparse=always $w/$f $w/copy.$ext" ;;
        diff) cmd="$z diff $w/$f" setup= ;;
        export) cmd="$z --in $w/$f export appcfg.h -o $w/appcfg.h" setup= ;;
        esac
        result=$(measure "$setup" sh -c "$cmd")
        printf '%11d' $((${result#* } / 1024))
    done
    echo
done
