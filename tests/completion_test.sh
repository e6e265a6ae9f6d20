#!/bin/bash
# The bash completion of menue: registered for the command (complete -p),
# and what a scripted COMP_WORDS completes to: options, directories for DIR,
# MenuFiles for PATH, and after --run the items with their texts.
# Usage: completion_test.sh COMPLETION_FILE DIRECTORY_OF_MENUE
set -u
completion=$1
PATH=$2:$PATH
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir unten
printf 'Kopfzeile=K\r\n(Menuanzeige)\r\nEditor starten\r\nBauen\r\n(Menuausfuhrung)\r\n\t1vi\r\n\t1make\r\n\t\r\n' >-menue-
printf 'Kopfzeile=K\r\n(Menuanzeige)\r\nUnten\r\n(Menuausfuhrung)\r\n\t1true\r\n\t\r\n' >unten/-menue-
touch anderes.txt

# shellcheck source=/dev/null
source "$completion"
failures=0

# The word completed is the last one, or the one CWORD names.
expect() {  # expect "WHAT" "EXPECTED (one a line)" WORD...
  local what=$1 expected=$2
  shift 2
  COMP_WORDS=("$@")
  COMP_CWORD=${CWORD:-$((${#COMP_WORDS[@]} - 1))}
  COMPREPLY=()
  _menue
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort)
  if [[ $got != "$(printf '%s\n' "$expected" | sort)" ]]; then
    printf 'FAIL %s\n  expected: %s\n  got:      %s\n' "$what" "$expected" "$got"
    failures=$((failures + 1))
  fi
}

registered=$(complete -p menue)
[[ $registered == *"-F _menue"*" menue" ]] || {
  echo "FAIL not registered: $registered"
  failures=$((failures + 1))
}

expect "options" $'--list' menue --li
expect "directory for DIR" $'unten' menue u
expect "MenuFiles and directories for PATH" $'-menue-\nunten' menue --edit ''
expect "items with their texts" $'1  Editor starten\n2  Bauen' menue --run ''
expect "one item: its number alone" $'2' menue --run 2
CWORD=2 expect "items of a DIR given after the number" $'1' menue --run '' unten
expect "no completion for an undo's version" '' menue --undo --version ''

if ((failures > 0)); then
  exit 1
fi
echo "completion: all cases pass"
