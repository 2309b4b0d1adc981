#!/bin/bash
# Kills saves at random instants and races saves of one file against each
# other, then checks that every file loads and holds the old content or one of
# the new ones, and that no temporary file is left.
#
#   tests/fault/kill-and-race.sh [ZLC62740] [KILLS] [RACES] [MEGABYTES]
# Defaults: build/release/bin/zlc62740 (else build/dev), 200, 200, 50.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
zlc=${1:-$root/build/release/bin/zlc62740}
[ -x "$zlc" ] || zlc=$root/build/dev/bin/zlc62740
kills=${2:-200}
races=${3:-200}
megabytes=${4:-50}
work=$(mktemp -d "${TMPDIR:-/tmp}/zlc-fault-XXXXXX")
trap 'rm -rf "$work"' EXIT

python3 "$here/make-srecord.py" "$work/original.s9" "$megabytes" --blank-line
python3 "$here/make-srecord.py" "$work/small.s9" 2

# The content an uninterrupted save gives, and how long it takes.
cp "$work/original.s9" "$work/expected.s9"
start=$(date +%s.%N)
"$zlc" --set 33=640 save "$work/expected.s9" >/dev/null || exit 1
duration=$(echo "$(date +%s.%N) - $start" | bc)
cmp -s "$work/original.s9" "$work/expected.s9" && { echo "the save changed nothing"; exit 1; }
echo "one save of $(stat -c %s "$work/original.s9") bytes takes ${duration}s"

leftovers() { find "$1" -name '.zlc-save-*' | wc -l; }
random_delay() { awk -v d="$duration" -v r="$RANDOM" 'BEGIN { printf "%.4f", d * 1.2 * r / 32767 }'; }

# 1. SIGKILL at a random instant of a save that changes the length.
mkdir "$work/kill"
old=0 new=0 bad=0 left=0
for ((i = 0; i < kills; i++)); do
    cp "$work/original.s9" "$work/kill/program.s9"
    "$zlc" --set 33=640 save "$work/kill/program.s9" >/dev/null 2>&1 &
    pid=$!
    sleep "$(random_delay)"
    kill -9 $pid 2>/dev/null
    wait $pid 2>/dev/null
    if cmp -s "$work/kill/program.s9" "$work/original.s9"; then
        old=$((old + 1))
    elif cmp -s "$work/kill/program.s9" "$work/expected.s9"; then
        new=$((new + 1))
    else
        bad=$((bad + 1))
    fi
    "$zlc" --in "$work/kill/program.s9" get 33 >/dev/null 2>&1 || bad=$((bad + 1))
    left=$((left + $(leftovers "$work/kill")))
    find "$work/kill" -name '.zlc-save-*' -delete
done
echo "kills during save:    $kills rounds: $old old, $new new, $bad damaged, $left temporary files left"

# 2. SIGKILL during Save As: the copy is whole or absent, nothing else remains.
mkdir "$work/copy"
absent=0 whole=0 cbad=0 cleft=0
for ((i = 0; i < kills / 2; i++)); do
    rm -f "$work/copy/copy.s9"
    "$zlc" --set 33=640 save "$work/original.s9" --as "$work/copy/copy.s9" >/dev/null 2>&1 &
    pid=$!
    sleep "$(random_delay)"
    kill -9 $pid 2>/dev/null
    wait $pid 2>/dev/null
    if [ ! -e "$work/copy/copy.s9" ]; then
        absent=$((absent + 1))
    elif cmp -s "$work/copy/copy.s9" "$work/expected.s9"; then
        whole=$((whole + 1))
    else
        cbad=$((cbad + 1))
    fi
    cleft=$((cleft + $(leftovers "$work/copy")))
    find "$work/copy" -name '.zlc-save-*' -delete
done
echo "kills during save --as: $((kills / 2)) rounds: $absent absent, $whole whole, $cbad damaged, $cleft temporary files left"

# 3. Two saves of one file at once: one whole block or the other.
get() { "$zlc" --in "$1" get 33 34 2>/dev/null | tr '\n' ' '; }
# Each save writes the whole block of its own document: the default one with
# one setting changed.
default=$("$zlc" get 33 34 | tr '\n' ' ')
one=0 other=0 mixed=0
for ((i = 0; i < races; i++)); do
    cp "$work/small.s9" "$work/race.s9"
    "$zlc" --set 33=640 save "$work/race.s9" >/dev/null 2>&1 &
    "$zlc" --set 34=200 save "$work/race.s9" >/dev/null 2>&1 &
    wait
    case "$(get "$work/race.s9")" in
    "640 ${default#* }") one=$((one + 1)) ;;
    "${default%% *} 200 ") other=$((other + 1)) ;;
    *) mixed=$((mixed + 1)) ;;
    esac
done
echo "racing saves:         $races rounds: $one first block, $other second block, $mixed mixed or unloadable"

# 4. The same with --in F ... save F: both changes take effect.
both=0 lost=0
for ((i = 0; i < races; i++)); do
    cp "$work/small.s9" "$work/race.s9"
    "$zlc" --in "$work/race.s9" --set 33=640 save "$work/race.s9" >/dev/null 2>&1 &
    "$zlc" --in "$work/race.s9" --set 34=200 save "$work/race.s9" >/dev/null 2>&1 &
    wait
    if [ "$(get "$work/race.s9")" = "640 200 " ]; then both=$((both + 1)); else lost=$((lost + 1)); fi
done
echo "racing --in F saves:  $races rounds: $both with both changes, $lost with one lost"
echo "temporary files left in all: $(leftovers "$work")"

[ $bad -eq 0 ] && [ $left -eq 0 ] && [ $cbad -eq 0 ] && [ $cleft -eq 0 ] && [ $mixed -eq 0 ] && [ $lost -eq 0 ]
