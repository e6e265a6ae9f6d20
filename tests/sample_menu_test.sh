#!/bin/bash
# The sample menu as POSIX systems install it: UTF-8 throughout (the
# encoding Menü++ writes there), the Windows sample's text letter for
# letter, and sound to the checker.
# Usage: sample_menu_test.sh UTF8_SAMPLE WINDOWS_SAMPLE MENUE
set -u
utf8=$1 windows=$2 menue=$3
failures=0
fail() {
  echo "FAIL $*"
  failures=$((failures + 1))
}

iconv -f UTF-8 -t UTF-8 "$utf8" >/dev/null 2>&1 || fail "not valid UTF-8: $utf8"
grep -q $'\xC3\xBC' "$utf8" || fail "no UTF-8 letter: still in the Windows encoding?"
cmp -s <(iconv -f UTF-8 -t WINDOWS-1252 "$utf8") "$windows" ||
  fail "not the Windows sample's text"
report=$("$menue" --check "$utf8") || fail "--check finds an error: $report"
[[ $report == *"kein Fehler"* && $report != *Warnung* ]] || fail "--check reports: $report"

((failures == 0)) && echo "sample menu: all cases pass"
((failures == 0))
