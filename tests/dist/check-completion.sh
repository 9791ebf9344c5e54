#!/usr/bin/env bash
# Every command, option and choice that `zettelwerk --help` names is offered by the bash completion.
set -uo pipefail
binary=$1
source "$2"
help=$("$binary" --help) || exit 1
status=0

# The words bash offers after `zettelwerk ARGS...`; the last argument is the word being typed.
offered()
{
    COMP_WORDS=(zettelwerk "$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _zettelwerk zettelwerk "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}"
}

expect()
{
    local word=$1
    shift
    # grep reads all of it: with -q an early exit would fail the pipeline through pipefail.
    if ! offered "$@" | grep -xF -- "$word" >/dev/null; then
        echo "zettelwerk $* <Tab> does not offer $word"
        status=1
    fi
}

# The choices listed after $1 as "a, b, c oder d".
choices()
{
    local rest=${help#*"$1"}
    local last=${rest#*" oder "}
    tr ', \n' '\n\n\n' <<<"${rest%%" oder "*}" | grep -v '^$'
    echo "${last%%[[:space:]]*}"
}

# "command" for each command of the help text, "command --option" for each option shown with it.
commands=$(awk '
    /^  zettelwerk [^ ]/ { command = $2; print command }
    /^$/ || /^[^ ]/ { command = "" }
    command != "" {
        line = $0
        while (match(line, /--[a-z][a-z-]*/)) {
            option = substr(line, RSTART, RLENGTH)
            if (option != command) print command, option
            line = substr(line, RSTART + RLENGTH)
        }
    }' <<<"$help" | sort -u)
[[ $(wc -l <<<"$commands") -gt 20 ]] || { echo "too few commands read from --help:"; echo "$commands"; exit 1; }

while read -r command option; do
    if [[ -z $option ]]; then
        expect "$command" ''
    else
        expect "$option" "$command" --
    fi
done <<<"$commands"

repeats=${help#*--repeat }
for value in $(tr '|' ' ' <<<"${repeats%%$'\n'*}"); do expect "$value" add --repeat ''; done
for value in $(choices '--sound NAME'); do expect "$value" add --sound ''; done
for value in $(choices 'BILDSCHIRM:'); do expect "$value" screenshot --screen ''; done
notes=${help#*--notizen }
for value in $(tr '|' ' ' <<<"${notes%%]*}"); do expect "$value" sync-folder --notizen ''; done
# Narrowing by what is typed, and nothing offered where a value is to be typed.
[[ $(offered add --repeat W) == Wöchentlich ]] || { echo "--repeat W does not give Wöchentlich"; status=1; }
[[ -z $(offered add --at '') ]] || { echo "--at offers words"; status=1; }
exit $status
