#!/bin/bash
# The bash completion of menue: registered for the command (complete -p),
# and what a scripted COMP_WORDS completes to: options, directories for DIR,
# MenuFiles for PATH, and after --run the items --run runs, with their
# texts; every case again under the glob settings a user may have set, with
# names that are patterns or hold newlines.
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
# Items --run refuses or that run nothing, and a text that is a pattern.
mkdir arten
printf 'Kopfzeile=K\r\n(Menuanzeige)\r\nWechsel\r\nLeer\r\nAlle *\r\n(Menuausfuhrung)\r\n\tcd ..\r\n\t1\x27\r\n\t1ls *\r\n\t\r\n' >arten/-menue-
# Two MenuFiles, a directory and a file that are patterns, a name with a newline.
mkdir zwei zwei/'[ab]' zwei/a zwei/$'neu\nzeile'
cp -- -menue- zwei/-menue-
cp -- -menue- zwei/-menue02-
touch zwei/'*' zwei/b zwei/-MENUE-

# shellcheck source=/dev/null
source "$completion"
failures=0

# Outside readline compopt fails; here it records what was asked.
compopt() { filenames=yes; }
setting=""

# The word completed is the last one, or the one CWORD names. Candidates
# are compared in byte order, joined by "|", so one holding a newline stays
# one. With FILENAMES (yes or empty) also whether readline was told they are
# file names (quoted, directories marked): paths are, item numbers are not.
expect() {  # expect "WHAT" "EXPECTED (sorted, joined by |)" WORD...
  local what=$1 expected=$2 got
  shift 2
  COMP_WORDS=("$@")
  COMP_CWORD=${CWORD:-$((${#COMP_WORDS[@]} - 1))}
  COMPREPLY=()
  filenames=""
  _menue
  got=$( ((${#COMPREPLY[@]} > 0)) && printf '%s\0' "${COMPREPLY[@]}" | LC_ALL=C sort -z | tr '\0' '|')
  if [[ $got != "${expected:+$expected|}" || ${FILENAMES-$filenames} != "$filenames" ]]; then
    printf 'FAIL %s (%s)\n  expected: %s\n  got:      %s (file names: %s)\n' "$what" \
      "${setting:-defaults}" "$expected" "$got" "${filenames:-no}"
    failures=$((failures + 1))
  fi
}

cases() {
  expect "options" $'--list' menue --li
  expect "directory for DIR" $'unten' menue u
  expect "MenuFiles and directories for PATH" $'-menue-|arten|unten|zwei' menue --edit ''
  expect "items with their texts" $'1  Editor starten|2  Bauen' menue --run ''
  expect "one item: its number alone" $'2' menue --run 2
  CWORD=2 expect "items of a DIR given after the number" $'1' menue --run '' unten
  expect "no completion for an undo's version" '' menue --undo --version ''
  CWORD=2 expect "a directory change and a placeholder are no choice" $'3' menue --run '' arten
  CWORD=2 expect "a quoted DIR" $'1' menue --run '' "'unten'"
  expect "two MenuFiles, then on from their common start" \
    $'zwei/-menue-|zwei/-menue02-' menue --check zwei/-menue
  cd zwei || return
  expect "a MenuFile's name after its options" $'-menue-|-menue02-' menue --check -r -menue
  cd .. || return
  expect "after --, no options" '' menue --check -- --li
  expect "a directory that is a pattern, never what it matches" \
    $'zwei/[ab]' menue --check 'zwei/[ab'
  expect "a quoted pattern" $'zwei/[ab]' menue --edit "'zwei/[a"
  expect "a name with a newline" $'zwei/neu\nzeile' menue zwei/n
  expect "a file named * is no MenuFile" $'zwei/-menue-|zwei/-menue02-|zwei/[ab]|zwei/a|zwei/neu\nzeile' \
    menue --check zwei/
  FILENAMES=yes expect "paths are file names" 'zwei' menue --check z
  FILENAMES="" expect "items are not" $'1  Editor starten|2  Bauen' menue --run ''
}

# The user's glob settings change nothing, and are as they were afterwards.
for setting in "" nullglob failglob "dotglob nocaseglob nocasematch" noglob; do
  case $setting in
    noglob) set -f ;;
    ?*) shopt -s $setting ;;
  esac
  before=$(shopt -p; echo "$-")
  cases
  [[ $(shopt -p; echo "$-") == "$before" ]] || {
    echo "FAIL shell options changed under ${setting:-defaults}"
    failures=$((failures + 1))
  }
  case $setting in
    noglob) set +f ;;
    ?*) shopt -u $setting ;;
  esac
done

if ((failures > 0)); then
  exit 1
fi
echo "completion: all cases pass"
