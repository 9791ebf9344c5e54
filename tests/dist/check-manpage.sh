#!/usr/bin/env bash
# The man page, as man shows it, holds every line of `zettelwerk --help`, and groff reads it
# without a warning.
set -uo pipefail
binary=$1 page=$2
help=$("$binary" --help) || exit 1
warnings=$(mktemp)
trap 'rm -f "$warnings"' EXIT
shown=$(LC_ALL=C.UTF-8 groff -man -K utf8 -Tutf8 -ww -P-cbou "$page" 2>"$warnings") || exit 1
status=0
if [[ -s $warnings ]]; then
    cat "$warnings"
    status=1
fi
summary=$(head -1 <<<"$help")
if ! grep -qF -- "zettelwerk - ${summary#Zettelwerk – }" <<<"$shown"; then
    echo "the page's name line does not read: zettelwerk - ${summary#Zettelwerk – }"
    status=1
fi
while IFS= read -r line; do
    if [[ -n $line ]] && ! grep -qF -- "$line" <<<"$shown"; then
        echo "missing from the man page: $line"
        status=1
    fi
done <<<"${help#*Aufruf:$'\n'}"
exit $status
