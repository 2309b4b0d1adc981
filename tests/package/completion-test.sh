#!/usr/bin/env bash
# The bash completion of zlc62740 as bash drives it: the script is sourced, the
# completion function called with COMP_WORDS, COMP_CWORD, COMP_LINE and
# COMP_POINT set as for a Tab at the end of each typed line of CASES, in a
# folder holding configurable files and others.
#   completion-test.sh PROGRAM-DIR SCRIPT CASES
set -uo pipefail
bin=$1 script=$2 cases=$3
export PATH="$bin:$PATH"
source "$script" || exit 1
failed=0 passed=0
registered=$(complete -p zlc62740)
if [ "$registered" != "complete -F _zlc62740 zlc62740" ]; then
    echo "FAIL: complete -p zlc62740 says: $registered"
    failed=1
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
mkdir sub
printf '\177ELF\2\1\1' > program       # an ELF program without extension
printf 'text' > README                  # no extension, not ELF
: > fw.ELF; : > "my firmware.s9"; : > notes.txt; : > sub/inner.prc; : > .hidden.elf

# A case: the typed line, the part of its last word that readline completes
# (after an opened quote or the last '=' or ':'), and the expected candidates.
tab=$'\t'
while IFS= read -r case; do
    [[ -z $case || $case == \#* ]] && continue
    line=${case%%"$tab"*} rest=${case#*"$tab"}
    word=${rest%%"$tab"*} expected=${rest#*"$tab"}
    read -ra COMP_WORDS <<< "$line"
    [[ $line == *' ' ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE=$line
    COMP_POINT=${#line}
    COMPREPLY=()
    _zlc62740 zlc62740 "$word" "${COMP_WORDS[COMP_CWORD - 1]}"
    actual=$(IFS='|'; echo "${COMPREPLY[*]}")
    if [ "$actual" == "$expected" ]; then
        passed=$((passed + 1))
    else
        echo "FAIL: [$line] offers [$actual], expected [$expected]"
        failed=$((failed + 1))
    fi
done < "$cases"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
