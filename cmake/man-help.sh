#!/bin/sh
# What help2man reads for one program, so that its manual page is made from the
# program itself:
#   man-help.sh NAME PROGRAM HELP-OPTION SECTIONS VERSION-PROGRAM --help|--version
# --help: the program's own help; for zlc62740, which lists its subcommands
# with "__complete commands", each subcommand's help under "Commands";
# then SECTIONS, the parts of the manual that no --help holds (environment,
# files, exit status). --version: NAME and the version VERSION-PROGRAM states.
set -eu
name=$1 program=$2 help_option=$3 sections=$4 version_program=$5
if [ "$6" = --version ]; then
    version=$("$version_program" --version)
    echo "$name ${version#* }"
    exit 0
fi
# 62740VIRT's usage says "Where:" before its switches and sets each apart
# with " - "; help2man reads switches as indented tags.
"$program" "$help_option" | sed -e '/^Subcommands:$/,/^$/d' \
    -e 's/^Where: /       /' -e 's|^ *\(/[^ ]*\) *- |  \1        |'
if [ "$name" = zlc62740 ]; then
    commands=$("$program" __complete commands)
    echo
    echo "*Commands*"
    for command in $commands; do
        # "zlc62740 get [OPTIONS] NAME...:" opens a subsection, its description
        # and arguments follow as indented paragraphs.
        "$program" "$command" --help | awk '
            NR == 1 { description = $0; next }
            /^Usage: / { sub(/^Usage: /, ""); print $0 ":"; print "  " description; next }
            /^(Positionals|Options):$/ || /^ *-h,--help/ || /^$/ { next }
            /^ {20}/ { print; next }
            { print ""; print }'
        echo
    done
fi
echo
cat "$sections"
