#!/bin/bash
# Kills saves at random instants and races saves of one file against each
# other, then checks that every file loads and holds the old content or one of
# the new ones, and that no temporary file is left once the next save ran.
#
#   tests/fault/kill-and-race.sh [ZLC62740] [KILLS] [RACES] [MEGABYTES]
# Defaults: build/release/bin/zlc62740 (else build/dev), 200, 200, 50.
#
# Run as root, it also kills saves of a file in a directory its user may not
# write, as a numeric uid without an account (setpriv).
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
zlc=${1:-$root/build/release/bin/zlc62740}
[ -x "$zlc" ] || zlc=$root/build/dev/bin/zlc62740
kills=${2:-200}
races=${3:-200}
megabytes=${4:-50}
work=$(mktemp -d "${TMPDIR:-/tmp}/zlc-fault-XXXXXX")
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
# Journals of in-place rewrites go to the user's private directory.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

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
random_delay() { awk -v d="$duration" -v r="$RANDOM" 'BEGIN { printf "%.4f", d * 1.5 * r / 32767 }'; }
failed=0

# SIGKILL at a random instant of a save that changes the length of
# DIR/program.s9, prepared by the command PREPARE and run by RUN (a command
# prefix). The file must then load (which puts back a half-done rewrite) and
# hold the old or the new content; the next save leaves no temporary file.
kill_loop() {
    local label=$1 dir=$2 prepare=$3 run=$4
    local old=0 new=0 bad=0 pid
    for ((i = 0; i < kills; i++)); do
        $prepare
        $run "$zlc" --set 33=640 save "$dir/program.s9" >/dev/null 2>&1 &
        pid=$!
        sleep "$(random_delay)"
        kill -9 $pid 2>/dev/null
        wait $pid 2>/dev/null
        $run "$zlc" --in "$dir/program.s9" get 33 >/dev/null 2>&1 || bad=$((bad + 1))
        if cmp -s "$dir/program.s9" "$work/original.s9"; then
            old=$((old + 1))
        elif cmp -s "$dir/program.s9" "$work/expected.s9"; then
            new=$((new + 1))
        else
            bad=$((bad + 1))
        fi
    done
    $run "$zlc" --set 33=640 save "$dir/program.s9" >/dev/null 2>&1
    local left
    left=$(leftovers "$dir")
    printf '%-34s %d rounds: %d old, %d new, %d damaged, %d temporary files left\n' \
        "$label" "$kills" $old $new $bad "$left"
    [ $bad -eq 0 ] && [ "$left" -eq 0 ] || failed=1
}

# 1. A file with one name: replaced by a complete new file.
mkdir "$work/kill"
fresh_copy() { cp "$work/original.s9" "$work/kill/program.s9"; }
kill_loop "kills during save:" "$work/kill" fresh_copy ""

# 2. A file with a second hard link: rewritten in place under a journal.
mkdir "$work/linked"
linked_copy() {
    rm -f "$work/linked/program.s9" "$work/linked/other.s9"
    cp "$work/original.s9" "$work/linked/program.s9"
    ln "$work/linked/program.s9" "$work/linked/other.s9"
}
kill_loop "kills, hard-linked file:" "$work/linked" linked_copy ""

# 3. A directory its user may not write: rewritten in place under a journal.
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
    uid=54321
    mkdir -m 755 "$work/locked"
    mkdir -m 700 "$work/runtime-$uid"
    chown $uid "$work/runtime-$uid"
    locked_copy() {
        cp "$work/original.s9" "$work/locked/program.s9"
        chown $uid "$work/locked/program.s9"
    }
    as_user="setpriv --reuid=$uid --regid=$uid --clear-groups env XDG_RUNTIME_DIR=$work/runtime-$uid"
    kill_loop "kills, unwritable directory (uid $uid):" "$work/locked" locked_copy "$as_user"
else
    echo "kills, unwritable directory:       skipped (needs root and setpriv)"
fi

# 4. SIGKILL during Save As: the copy is whole or absent, nothing else remains.
mkdir "$work/copy"
absent=0 whole=0 cbad=0
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
done
"$zlc" --set 33=640 save "$work/original.s9" --as "$work/copy/copy.s9" >/dev/null 2>&1
cleft=$(leftovers "$work/copy")
echo "kills during save --as:            $((kills / 2)) rounds: $absent absent, $whole whole, $cbad damaged, $cleft temporary files left"
[ $cbad -eq 0 ] && [ "$cleft" -eq 0 ] || failed=1

# 5. Two saves of one file at once: one whole block or the other.
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
echo "racing saves:                      $races rounds: $one first block, $other second block, $mixed mixed or unloadable"
[ $mixed -eq 0 ] || failed=1

# 6. The same with --in F ... save F and --in F ... configure F: both
# changes take effect, and both commands succeed.
for command in save configure; do
    both=0 lost=0
    for ((i = 0; i < races; i++)); do
        cp "$work/small.s9" "$work/race.s9"
        "$zlc" --in "$work/race.s9" --set 33=640 $command "$work/race.s9" >/dev/null 2>&1 &
        first=$!
        "$zlc" --in "$work/race.s9" --set 34=200 $command "$work/race.s9" >/dev/null 2>&1 &
        second=$!
        wait $first && wait $second && [ "$(get "$work/race.s9")" = "640 200 " ] &&
            both=$((both + 1)) || lost=$((lost + 1))
    done
    printf '%-34s %d rounds: %d with both changes, %d with one lost or failed\n' \
        "racing --in F $command F:" "$races" $both $lost
    [ $lost -eq 0 ] || failed=1
done
echo "temporary files left in all: $(leftovers "$work")"
echo "journals left: $(find "$work"/runtime* -type f | wc -l)"

exit $failed
