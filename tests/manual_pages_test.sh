#!/bin/bash
# Both manual pages against the program: each names every long option that
# --help names, and mandoc finds nothing to note in either (where mandoc is
# installed).
# Usage: manual_pages_test.sh MENUE DOCS_DIRECTORY
set -u
menue=$1 docs=$2
failures=0
mapfile -t options < <("$menue" --help | grep -o -- '--[a-z]\+' | sort -u)
((${#options[@]} > 5)) || { echo "FAIL --help names no options"; exit 1; }
for page in "$docs/menue.1" "$docs/menue.de.1"; do
  for option in "${options[@]}"; do
    # The page writes each dash as \-.
    grep -qF -- "${option//-/\\-}" "$page" || {
      echo "FAIL ${page##*/} does not name $option"
      failures=$((failures + 1))
    }
  done
  if command -v mandoc >/dev/null && ! mandoc -Tlint "$page"; then
    echo "FAIL mandoc -Tlint ${page##*/}"
    failures=$((failures + 1))
  fi
done
((failures == 0)) && echo "manual pages: all cases pass"
((failures == 0))
