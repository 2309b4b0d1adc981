#!/usr/bin/env bash
# The manual pages made at build time: each holds the terms TERMS names for
# it (its sections, environment variables and files), and zlc62740(1) a
# section for every subcommand the program has.
#   manual-test.sh MAN-DIR PROGRAM-DIR TERMS
set -uo pipefail
man=$1 bin=$2 terms=$3
failed=0 passed=0
check() { # PAGE TEXT
    if zcat "$man/$1.1.gz" | grep -qF -- "$2"; then
        passed=$((passed + 1))
    else
        echo "FAIL: $1(1) does not hold: $2"
        failed=$((failed + 1))
    fi
}
while IFS=$'\t' read -r page term; do
    [[ -z $page || $page == \#* ]] && continue
    check "$page" "$term"
done < "$terms"
for command in $("$bin/zlc62740" __complete commands); do
    check zlc62740 ".SS \"zlc62740 $command "
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
