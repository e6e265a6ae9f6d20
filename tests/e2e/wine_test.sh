#!/usr/bin/env bash
# End-to-end tests of the Windows build under Wine: menue.exe runs in a
# detached tmux pane of 80x25, is driven with send-keys and read back with
# capture-pane. Every wait polls the pane against a deadline.
#
# Usage: wine_test.sh <path-to-menue.exe> <examples-dir>
# The checks of the console's set-up start the program through
# console_probe.exe, built beside menue.exe.
# Exits 0 when every check passes, 1 on a failure, 77 (skipped) when the
# exe, wine or tmux is missing.
#
# How the console is reached: plain `wine menue.exe` started from a terminal
# (no DISPLAY) runs the program in Wine's terminal console (conhost --unix),
# which draws the screen buffer into the tmux pane with ANSI sequences and
# turns the keys it reads into console input records. `wineconsole` would
# open a window instead and is not needed; TERM is whatever tmux sets.
# Known limits of that console: it passes no mouse records, reports ESC as
# scan code 1 without a character, and Ctrl+C never reaches the program as
# a key (the terminal keeps ISIG, so it becomes a Ctrl+C event: at the
# prompt it ends the program, during a waited child only the child). Mouse
# and Ctrl+C are therefore not tested here. A run takes about 20-30 s, half
# of it for the fresh prefix.
#
# Add a check by writing a function named check_<name> and listing it in
# CHECKS below (a short name: the prompt cuts a long working directory);
# each one gets a fresh working directory ($work) and ends with the program
# ended. WINE_TEST_ONLY=<name> runs one check alone, on a fresh prefix: the
# packaging stage runs version_and_help on the exe it unpacked from the zip.
set -u

exe=${1:-}
examples=${2:-}

skip() {
  echo "wine_test: skipped: $*"
  exit 77
}
[[ -n $exe && -f $exe ]] ||
  skip "no menue.exe at '${exe}' (build it: cmake --preset windows && cmake --build --preset windows)"
command -v wine >/dev/null || skip "wine is not installed"
command -v wineserver >/dev/null || skip "wineserver is not installed"
command -v tmux >/dev/null || skip "tmux is not installed"
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")
probe=$(dirname "$exe")/console_probe.exe

scratch=$(mktemp -d "${TMPDIR:-/tmp}/menue-wine.XXXXXX")
export WINEPREFIX=$scratch/prefix
export WINEDEBUG=-all
# No Mono or Gecko installers: the prefix is made without asking for them.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
# UTF-8 between Wine's console and tmux, so umlauts typed or shown survive.
export LANG=C.UTF-8 LC_ALL=C.UTF-8

tmux_socket=menue-wine-$$
tmux_conf=$scratch/tmux.conf
printf 'set -g status off\n' >"$tmux_conf"
tmuxc() { tmux -L "$tmux_socket" -f "$tmux_conf" "$@"; }

cleanup() {
  tmuxc kill-server 2>/dev/null
  wineserver -k 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

SESSION=menue
DEADLINE_SECONDS=30

# ---------------------------------------------------------------- helpers

fail() {
  echo "FAIL [$current_check]: $*"
  echo "---- screen ----"
  screen_text | cat -n
  echo "----------------"
  failures=$((failures + 1))
  return 1
}

# The pane's 25 rows, one line each, trailing blanks removed. With
# window_file set (a check's local), the console window's rows as the probe
# writes them: Wine's terminal console draws the buffer's top rows into the
# pane, whatever part of the buffer the window shows.
screen_text() {
  if [[ -n ${window_file:-} ]]; then
    sed 's/[[:space:]]*$//' "$window_file" 2>/dev/null
    return
  fi
  tmuxc capture-pane -p -t "$SESSION" 2>/dev/null | sed 's/[[:space:]]*$//'
}
# Row n of the screen, 1-based as the program counts rows.
screen_row() { screen_text | sed -n "${1}p"; }
# The program's exit status, once it has ended.
status_file() { printf '%s/exit-status-%s' "$scratch" "$current_check"; }
program_ended() { [[ -s $(status_file) ]]; }
exit_status() { cat "$(status_file)"; }

# wait_until <description> <command...>: polls the command every 0.1 s until
# it succeeds or the deadline passes.
wait_until() {
  local what=$1
  shift
  local deadline=$((SECONDS + DEADLINE_SECONDS))
  until "$@"; do
    if ((SECONDS >= deadline)); then
      fail "timed out waiting for: $what"
      return 1
    fi
    sleep 0.1
  done
}

row_is() { [[ $(screen_row "$1") == "$2" ]]; }
screen_has() { screen_text | grep -qF -- "$1"; }
screen_lacks() { ! screen_has "$1"; }
# Whether a text appears on at least n rows of the screen.
screen_has_times() { (($(screen_text | grep -cF -- "$1") >= $2)); }
file_exists() { [[ -e $1 ]]; }

# The Windows form of a Unix path under Wine's Z: drive.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# A fresh working directory, empty or a copy of a sample of the examples.
make_work() {
  work=$scratch/work-$current_check
  rm -rf "$work"
  mkdir -p "$work"
  if [[ -n ${1:-} ]]; then cp -R "$examples/$1/." "$work/"; fi
}

# Writes a MenuFile with CR LF line ends; arguments are its lines.
write_menu() {
  local file=$1
  shift
  printf '%s\r\n' "$@" >"$work/$file"
}

# Starts the program in a fresh pane. The pane outlives the program, as a
# command interpreter's console would: a program the menu started without
# waiting keeps running after the menu has ended, and the last screen stays.
#
# start_menue [DIR [TEMP]]: in DIR (default $work); with TEMP, a Windows path
# that TEMP and TMP name. Wine sets both from its registry over what the
# Unix environment says, so a command interpreter sets them and starts the
# program. With probe_options set (a check's local), the program starts
# through console_probe.exe with those options, which writes $(probe_report).
# With pane_columns and pane_rows set (a check's locals), the pane has that
# size instead of 80x25.
start_menue() {
  local dir=${1:-$work} temp=${2:-} command="wine '$exe'"
  if [[ -n $temp ]]; then
    command="wine cmd /c 'set TEMP=$temp&& set TMP=$temp&& $(windows_path "$exe")'"
  elif [[ -n ${probe_options:-} ]]; then
    rm -f "$(probe_report)"
    command="wine '$probe' '$(windows_path "$(probe_report)")' $probe_options -- '$(windows_path "$exe")'"
  fi
  tmuxc kill-session -t "$SESSION" 2>/dev/null
  rm -f "$(status_file)"
  tmuxc new-session -d -s "$SESSION" -x "${pane_columns:-80}" -y "${pane_rows:-25}" -c "$dir" \
    "$command; echo \$? >'$(status_file)'; exec sleep 3600"
}

send_text() { tmuxc send-keys -t "$SESSION" -l -- "$1"; }
send_key() { tmuxc send-keys -t "$SESSION" "$@"; }

# press <key> <description> <condition...>: sends a key (a tmux key name, or
# "lit:" and a literal character) and waits for the condition. The program
# discards input that arrives before it waits (it empties the input buffer
# right before each wait at the prompt), and a key can slip in just before
# that; a key that has shown no effect after about 3 s is therefore sent
# again, up to the deadline.
press() {
  local key=$1 what=$2
  shift 2
  local deadline=$((SECONDS + DEADLINE_SECONDS)) retry
  while :; do
    if [[ $key == lit:* ]]; then send_text "${key#lit:}"; else send_key "$key"; fi
    retry=$((SECONDS + 3))
    while ((SECONDS < retry)); do
      "$@" && return 0
      sleep 0.1
    done
    if ((SECONDS >= deadline)); then
      fail "timed out waiting for: $what"
      return 1
    fi
  done
}

# The empty prompt of the working directory: row 24 from column 3, the
# directory, ">" and the "_" mark.
work_prompt() { printf '  %s>_' "$(windows_path "$work")"; }

wait_for_prompt() { wait_until "the prompt of $work on row 24" row_is 24 "$(work_prompt)"; }

# Types a line at the prompt, one key per wait, each seen echoed before the
# next (a burst is the paste check's). The prompt is the one of $work, or
# with "anywhere" whatever row 24 shows when typing starts.
type_at_prompt() {
  local text=$1 prompt typed="" i
  prompt=$(work_prompt)
  [[ ${2:-} == anywhere ]] && prompt=$(screen_row 24)
  prompt=${prompt%_}
  for ((i = 0; i < ${#text}; i++)); do
    typed+=${text:i:1}
    press "lit:${text:i:1}" "'$typed' on the prompt" row_is 24 "$prompt${typed}_" || return 1
  done
}
type_at_prompt_anywhere() { type_at_prompt "$1" anywhere; }

# Enter on a line typed at the prompt that runs a command (a pass-through):
# Enter is sent again only until row 24 changes, as the screen clears for
# the command. One Enter more would end the wait after the command at once
# and take its output away while a slow command interpreter still starts.
row_changed() { [[ $(screen_row "$1") != "$2" ]]; }
enter_command() {
  local typed
  typed=$(screen_row 24)
  press Enter "the screen to clear for the command" row_changed 24 "$typed"
}

# Whether an item's text is drawn in the highlight colours (blue on grey).
item_highlighted() {
  tmuxc capture-pane -e -p -t "$SESSION" | grep -qF -- "$(printf '\e[47m') $1 "
}

# Ends the program with ESC and checks that it ended with exit code 0 and
# left the screen as it was (no clearing on the way out).
escape_ends_program() {
  local before
  before=$(screen_text)
  press Escape "the program to end after ESC" program_ended || return 1
  [[ $(exit_status) == 0 ]] || fail "exit status $(exit_status), expected 0" || return 1
  [[ $(screen_text) == "$before" ]] ||
    fail "the screen changed on exit: $(diff <(echo "$before") <(screen_text))" || return 1
}

# The LaunchScript wherever Wine keeps the temporary directory.
launch_scripts() { find "$WINEPREFIX/drive_c" -iname menue.cmd 2>/dev/null; }

# The probe's report of the console modes and code pages of the last run.
probe_report() { printf '%s/probe-%s.txt' "$scratch" "$current_check"; }
probe_value() { tr -d '\r' <"$(probe_report)" | sed -n "s/^$1 //p"; }
have_probe() { [[ -f $probe ]] || fail "no console_probe.exe beside $exe"; }

# ---------------------------------------------------------------- checks

# Without a MenuFile the program shows only the prompt, and ESC ends it.
check_prompt_and_escape() {
  make_work
  start_menue
  wait_for_prompt || return 1
  escape_ends_program
}

# A line that is no command goes to the command interpreter through the
# LaunchScript; its output stays until a key is pressed; the orderly exit
# removes the LaunchScript.
check_pass_through_echo() {
  make_work
  start_menue
  wait_for_prompt || return 1
  type_at_prompt "echo hallo aus cmd" || return 1
  press Enter "the screen to clear" screen_lacks "echo hallo" || return 1
  wait_until "the command's output on row 1" row_is 1 "hallo aus cmd" || return 1
  [[ -n $(launch_scripts) ]] || fail "no LaunchScript was written" || return 1
  press x "the prompt after a key" row_is 24 "$(work_prompt)" || return 1
  escape_ends_program || return 1
  [[ -z $(launch_scripts) ]] || fail "the LaunchScript is left after the exit: $(launch_scripts)"
}

# An item of two command lines runs through the LaunchScript and the menu
# comes back after it.
check_two_line_item() {
  make_work
  write_menu -menue- "Kopfzeile=Wine-Test" "(Menuanzeige)" "Zwei Zeilen" "(Menuausfuhrung)" \
    $'\t1echo eins> eins.txt' "echo zwei> zwei.txt" $'\t'
  start_menue
  wait_until "the menu" screen_has "Zwei Zeilen" || return 1
  press Down "the item highlighted" item_highlighted "Zwei Zeilen" || return 1
  press Enter "the item to run" file_exists "$work/zwei.txt" || return 1
  [[ -f $work/eins.txt ]] || fail "the first command line did not run" || return 1
  [[ $(tr -d '\r' <"$work/zwei.txt") == "zwei" ]] || fail "zwei.txt holds $(cat -A "$work/zwei.txt")" ||
    return 1
  wait_until "the menu after the run" screen_has "Wine-Test" || return 1
  wait_for_prompt || return 1
  escape_ends_program
}

# Status 2 starts a single command line directly as a process and the menu
# carries on beside it; status 3 starts it and ends the menu.
check_items_without_wait() {
  make_work
  write_menu -menue- "Kopfzeile=Ohne Warten" "(Menuanzeige)" "Daneben" "Beenden" "(Menuausfuhrung)" \
    $'\t2cmd /c echo daneben> daneben.txt' $'\t3cmd /c echo ende> ende.txt' $'\t'
  start_menue
  wait_until "the menu" screen_has "Daneben" || return 1
  press Down "the first item highlighted" item_highlighted "Daneben" || return 1
  press Enter "the first item to run" file_exists "$work/daneben.txt" || return 1
  wait_for_prompt || return 1
  press Down "the second item highlighted" item_highlighted "Beenden" || return 1
  press Enter "the menu to end" program_ended || return 1
  wait_until "the second item to run" file_exists "$work/ende.txt" || return 1
  [[ $(exit_status) == 0 ]] || fail "exit status $(exit_status), expected 0"
}

# "Menü++" in an empty directory asks for header, item, status and command
# lines and writes the new MenuFile, which is then shown.
check_creation_dialogue() {
  make_work
  start_menue
  wait_for_prompt || return 1
  type_at_prompt "Menü++" || return 1
  press Enter "the header question" screen_has "Kopfzeile (max.76 zeichen)>" || return 1
  send_text "Neues Menue"
  send_key Enter
  wait_until "the display text question" screen_has "Anzeigetext (max 72 Zeichen)>" || return 1
  send_text "Erster Punkt"
  send_key Enter
  wait_until "the status question" screen_has "Eingabe >_" || return 1
  press 2 "the first command line question" screen_has "Befehlszeile (beenden mit <Enter>):" ||
    return 1
  send_text "echo eins"
  send_key Enter
  wait_until "the second command line question" \
    screen_has_times "Befehlszeile (beenden mit <Enter>):" 2 || return 1
  send_key Enter
  wait_until "the new menu" screen_has "Erster Punkt" || return 1
  wait_for_prompt || return 1
  local expected actual
  expected=$(printf 'Kopfzeile=Neues Menue\r\n(Menuanzeige)\r\nErster Punkt\r\n(Menuausfuhrung)\r\n\t2echo eins\r\n\t\r\n' |
    od -An -c)
  actual=$(sed -n '/^Kopfzeile=/,$p' "$work/-menue-" 2>/dev/null | od -An -c)
  [[ $actual == "$expected" ]] || fail "the new MenuFile ends in: $actual" || return 1
  escape_ends_program
}

# Row 24 begins with a text.
row24_starts_with() { [[ $(screen_row 24) == "$1"* ]]; }

# A drive change goes to the directory the system keeps for that drive, so
# changing back returns to the directory that was left there.
check_drive_change() {
  make_work
  start_menue
  wait_for_prompt || return 1
  type_at_prompt "c:" || return 1
  press Enter "the prompt on drive C" row24_starts_with "  C:\\" || return 1
  type_at_prompt_anywhere "z:" || return 1
  press Enter "the prompt back in $work" row_is 24 "$(work_prompt)" || return 1
  escape_ends_program
}

# The MenuFile of one item that the edit checks start from.
write_one_item_menu() {
  write_menu -menue- "Kopfzeile=Edit-Test" "(Menuanzeige)" "Alt" "(Menuausfuhrung)" $'\t1echo alt' $'\t'
}

# Runs the insertion dialogue of "Menü+": a display text, status 1, no
# command line.
insert_item() {
  type_at_prompt "Menü+" || return 1
  press Enter "the display text question" screen_has "Anzeigetext >" || return 1
  send_text "$1"
  send_key Enter
  wait_until "the status question" screen_has "Eingabe >_" || return 1
  press 1 "the command line question" screen_has "Befehlszeile (beenden mit <Enter>:)" || return 1
  send_key Enter
}

# "Menü+" replaces the MenuFile in one step and leaves no temporary file.
check_insert_item() {
  make_work
  write_one_item_menu
  start_menue
  wait_until "the menu" screen_has "Alt" || return 1
  insert_item "Neu" || return 1
  wait_until "the new item" screen_has "Neu" || return 1
  wait_for_prompt || return 1
  local expected actual
  expected=$(printf 'Kopfzeile=Edit-Test\r\n(Menuanzeige)\r\nAlt\r\nNeu\r\n(Menuausfuhrung)\r\n\t1echo alt\r\n\t1\t\r\n' |
    od -An -c)
  actual=$(od -An -c "$work/-menue-")
  [[ $actual == "$expected" ]] || fail "the MenuFile holds: $actual" || return 1
  [[ $(ls -A "$work") == "-menue-" ]] || fail "files left beside the MenuFile: $(ls -A "$work")" ||
    return 1
  escape_ends_program
}

# A read-only MenuFile is not replaced: the edit fails with error 70, the
# file keeps its bytes and no temporary file is left.
check_read_only_menu() {
  make_work
  write_one_item_menu
  chmod a-w "$work/-menue-"
  local before
  before=$(od -An -c "$work/-menue-")
  start_menue
  wait_until "the menu" screen_has "Alt" || return 1
  insert_item "Neu" || return 1
  wait_until "the error 70 message" screen_has "Fehler  70  bei ausf" || return 1
  [[ $(od -An -c "$work/-menue-") == "$before" ]] || fail "the read-only MenuFile changed" || return 1
  [[ $(ls -A "$work") == "-menue-" ]] || fail "files left beside the MenuFile: $(ls -A "$work")" ||
    return 1
  press x "the menu after a key" screen_has "Alt" || return 1
  wait_for_prompt || return 1
  escape_ends_program
}

# The sample menu of the examples loads and shows its header.
check_example_menu() {
  local header
  header=$(sed -n 's/^Kopfzeile=\([ -~]*\).*/\1/p' "$examples/demo/-menue-" 2>/dev/null | head -1 |
    tr -d '\r' | sed 's/[[:space:]]*$//')
  if [[ -z $header ]]; then
    echo "SKIP [$current_check]: no ASCII header in $examples/demo/-menue-"
    return 0
  fi
  make_work demo
  start_menue
  wait_until "the header '$header'" screen_has "$header" || return 1
  wait_for_prompt || return 1
  escape_ends_program
}

# The command line ends before any console is set up: --version (its first
# line, then the copyright and the licence) and --help on standard output
# (German letters in the console's OEM code page, lines ended by CR LF), a
# wrong option with one line on standard error and status 2. No pane is
# needed.
check_version_and_help() {
  make_work
  local out err status
  out=$(cd "$work" && wine "$exe" --version 2>"$scratch/err" </dev/null)
  status=$?
  [[ $status == 0 && ${out%%$'\n'*} == $'menue 1.1\r' && $out == *$'\nLizenz MIT '* ]] ||
    fail "--version: status $status, output $(printf '%s' "$out" | od -An -c)" || return 1
  out=$(cd "$work" && wine "$exe" --help 2>"$scratch/err" </dev/null)
  status=$?
  [[ $status == 0 && $out == $'Aufruf: menue [VERZEICHNIS]\r\n'* ]] ||
    fail "--help: status $status, output begins $(printf '%s' "${out:0:40}" | od -An -c)" ||
    return 1
  [[ $out == *$'Men\x81dateien pr\x81fen'* ]] || fail "--help: no OEM umlauts in: $out" || return 1
  out=$(cd "$work" && wine "$exe" --bogus 2>"$scratch/err" </dev/null)
  status=$?
  err=$(cat "$scratch/err")
  [[ $status == 2 && -z $out && $err == $'menue: --bogus: unbekannte Option (eine Datei, deren Name mit - beginnt: nach -- oder als ./-name) (Hilfe: menue --help)\r' ]] ||
    fail "--bogus: status $status, output '$out', error '$err'"
}

# Command lines reach the system with their German letters: a single-line
# item with the OEM ü the dialogue stores and one with the ANSI ü Notepad
# writes start through CreateProcessW, and a two-line item's LaunchScript
# gets the OEM byte cmd.exe reads. TEMP is outside the ANSI code page (a
# user name such as Łukasz) and holds the LaunchScript of the items and of
# a pass-through.
check_umlaut_items() {
  make_work
  local temp=$work/Łukasz item n=0
  mkdir -p "$temp"
  printf 'Kopfzeile=Umlaute\r\n(Menuanzeige)\r\nOEM\r\nANSI\r\nSkript\r\n(Menuausfuhrung)\r\n%s' \
    $'\t1cmd /c mkdir Pr\x81f1\r\n\t1cmd /c mkdir Pr\xfcf2\r\n\t1mkdir Pr\xfcf3\r\nrem\r\n\t\r\n' \
    >"$work/-menue-"
  start_menue "$work" "$(windows_path "$temp")"
  wait_until "the menu" screen_has "Skript" || return 1
  for item in OEM ANSI Skript; do
    n=$((n + 1))
    press Down "$item highlighted" item_highlighted "$item" || return 1
    press Enter "the item $item to make Prüf$n" file_exists "$work/Prüf$n" || return 1
    wait_for_prompt || return 1
  done
  [[ -f $temp/menue.cmd ]] || fail "no LaunchScript in $temp: $(ls -A "$temp")" || return 1
  type_at_prompt "echo drei> drei.txt" || return 1
  enter_command || return 1
  wait_until "the pass-through to run" file_exists "$work/drei.txt" || return 1
  press x "the prompt after a key" row_is 24 "$(work_prompt)" || return 1
  escape_ends_program || return 1
  [[ ! -e $temp/menue.cmd ]] || fail "the LaunchScript is left after the exit"
}

# A UTF-8 MenuFile shows its characters beyond the code pages, its header
# too, in a straight frame. Wine's console draws both cells of a wide
# character (it takes no trailing half), so the wide line is only looked
# for and left out of the frame's measure; the pty tests measure it.
check_unicode_menu() {
  make_work
  write_menu -menue- "Kopfzeile=Kasse €" "(Menuanzeige)" "Nach Łódź wechseln" "Preis in € zeigen" \
    "日本語 Ausgabe" "(Menuausfuhrung)" $'\t1echo a' $'\t1echo b' $'\t1echo c' $'\t'
  start_menue
  local text
  for text in "Kasse €" "Nach Łódź wechseln" "Preis in € zeigen" "日"; do
    wait_until "'$text' on the screen" screen_has "$text" || return 1
  done
  wait_until "a straight frame" frame_is_straight || return 1
  wait_for_prompt || return 1
  escape_ends_program
}

# Whether every framed row without a wide character, cut after its last
# frame character, is as many columns wide as the frame's top line.
frame_is_straight() {
  local row widths
  widths=$(screen_text | sed -n '/╔/,/╚/p' | grep -v "日" | sed 's/\(.*[║╗╝]\).*/\1/' |
    while IFS= read -r row; do printf '%s\n' "$row" | wc -L; done | sort -u | wc -l)
  ((widths == 1))
}

# A TEMP whose name holds a blank, beside a planted my.exe that its first
# word names: the LaunchScript of a pass-through and of a two-line item
# runs, the planted program never.
check_temp_with_blank() {
  make_work
  local temp="$work/x/my tmp"
  mkdir -p "$temp"
  cp "$WINEPREFIX/drive_c/windows/system32/hostname.exe" "$work/x/my.exe" ||
    fail "no program to plant" || return 1
  write_menu -menue- "Kopfzeile=Leerzeichen" "(Menuanzeige)" "Zwei Zeilen" "(Menuausfuhrung)" \
    $'\t1echo eins> eins.txt' "echo zwei> zwei.txt" $'\t'
  start_menue "$work" "$(windows_path "$temp")"
  wait_until "the menu" screen_has "Zwei Zeilen" || return 1
  type_at_prompt "echo drei> drei.txt" || return 1
  enter_command || return 1
  wait_until "the pass-through to run" file_exists "$work/drei.txt" || return 1
  press x "the prompt after a key" row_is 24 "$(work_prompt)" || return 1
  press Down "the item highlighted" item_highlighted "Zwei Zeilen" || return 1
  press Enter "the item to run" file_exists "$work/zwei.txt" || return 1
  [[ -f $temp/menue.cmd ]] || fail "no LaunchScript in $temp: $(ls -A "$temp")" || return 1
  wait_for_prompt || return 1
  escape_ends_program
}

# A start directory outside the ANSI code page shows as its characters in
# the prompt; a directory is entered as typed with its umlaut; "cd!" finds
# the start directory again.
check_umlaut_dirs() {
  make_work
  mkdir -p "$work/Ωmega" "$work/Zürich"
  write_menu "Ωmega/-menue-" "Kopfzeile=Omega" "(Menuanzeige)" "Heimpunkt" "(Menuausfuhrung)" \
    $'\t1echo heim' $'\t'
  write_menu -menue- "Kopfzeile=Oben" "(Menuanzeige)" "Obenpunkt" "(Menuausfuhrung)" $'\t1echo oben' \
    $'\t'
  write_menu "Zürich/-menue-" "Kopfzeile=Dort" "(Menuanzeige)" "Dortpunkt" "(Menuausfuhrung)" \
    $'\t1echo dort' $'\t'
  local prompt
  prompt="  $(windows_path "$work")\\Ωmega>_"
  start_menue "$work/Ωmega"
  wait_until "the menu" screen_has "Heimpunkt" || return 1
  wait_until "the prompt of Ωmega" row_is 24 "$prompt" || return 1
  type_at_prompt_anywhere "cd .." || return 1
  press Enter "the menu of $work" screen_has "Obenpunkt" || return 1
  wait_for_prompt || return 1
  screen_has "--Home--" || fail "no home label away from Ωmega" || return 1
  type_at_prompt "cd Zürich" || return 1
  press Enter "the menu of Zürich" screen_has "Dortpunkt" || return 1
  wait_until "the prompt of Zürich" row_is 24 "  $(windows_path "$work/Zürich")>_" || return 1
  type_at_prompt_anywhere "cd!" || return 1
  press Enter "the menu of Ωmega again" screen_has "Heimpunkt" || return 1
  wait_until "the prompt of Ωmega again" row_is 24 "$prompt" || return 1
  escape_ends_program
}

# Typed characters come as the key records' UnicodeChar and reach the
# command interpreter as far as the LaunchScript's code page carries them:
# a "£" is the OEM byte in the file the command writes; a "€", which code
# page 850 lacks, runs nothing, and the refusal names it.
check_typed_text() {
  make_work
  start_menue
  wait_for_prompt || return 1
  type_at_prompt "echo £>pfund.txt" || return 1
  enter_command || return 1
  wait_until "the pass-through to run" file_exists "$work/pfund.txt" || return 1
  [[ $(od -An -tx1 "$work/pfund.txt") == " 9c 0d 0a" ]] ||
    fail "pfund.txt holds $(od -An -tx1 "$work/pfund.txt")" || return 1
  press x "the prompt after a key" row_is 24 "$(work_prompt)" || return 1
  type_at_prompt "echo €>euro.txt" || return 1
  press Enter "the refusal" \
    screen_has 'Zeichen "€" (U+20AC) kann die Befehlszeile (Codepage 850) nicht tragen' || return 1
  wait_for_prompt || return 1
  [[ ! -e $work/euro.txt ]] || fail "a line with € ran: $(od -An -tx1 "$work/euro.txt")" || return 1
  escape_ends_program
}

# Keys that arrive together, as a paste of many key records does, are all
# taken: the rest of a line and its Enter in one go run as typed.
check_paste() {
  make_work
  start_menue
  wait_for_prompt || return 1
  # The first key shows that the wait's flush of what came before is past.
  type_at_prompt "e" || return 1
  send_text $'cho eingef\u00fcgt> paste.txt\r'
  wait_until "the pasted line to run" file_exists "$work/paste.txt" || return 1
  [[ $(od -An -tx1 "$work/paste.txt") == "$(printf 'eingef\x81gt\r\n' | od -An -tx1)" ]] ||
    fail "paste.txt holds $(od -An -c "$work/paste.txt")" || return 1
  press x "the prompt after a key" row_is 24 "$(work_prompt)" || return 1
  escape_ends_program
}

# Wine shows no QuickEdit, so the modes the program sets are read back:
# started in a console with QuickEdit on, the menu waits for a key with
# mouse input on and QuickEdit off (the extended flags set, insert mode
# kept), keeps QuickEdit while the mouse is off, always takes window input
# (the resize that shows the menu after a window too small for it), and
# gives the console the mode it found, to a child and at the exit.
check_quick_edit() {
  have_probe || return 1
  make_work
  local probe_options=" " mode waiting=0
  start_menue
  wait_for_prompt || return 1
  type_at_prompt "echo kind" || return 1
  enter_command || return 1
  wait_until "the command's output on row 1" row_is 1 "kind" || return 1
  press x "the prompt after a key" row_is 24 "$(work_prompt)" || return 1
  escape_ends_program || return 1
  wait_until "the probe's report" file_exists "$(probe_report)" || return 1
  [[ $(probe_value start) == e7 && $(probe_value end) == e7 ]] ||
    fail "the mode found was not given back: $(cat "$(probe_report)")" || return 1
  for mode in $(probe_value seen); do
    case $mode in
      b8) waiting=1 ;;  # mouse, window input, insert, extended flags
      e8) ;;            # no mouse: window input, insert and QuickEdit as found
      *) fail "the menu set the input mode $mode: $(cat "$(probe_report)")" || return 1 ;;
    esac
  done
  ((waiting)) || fail "no wait with the mouse on and QuickEdit off: $(cat "$(probe_report)")"
}

# On a UTF-8 console the menu shows the code page 850 frame and umlauts as
# their characters, a typed "Menü+" is the edit command, typed umlauts are
# stored as code page 850 bytes, and the console's code pages stay.
check_utf8_console() {
  have_probe || return 1
  make_work
  local probe_options="--code-page 65001"
  write_menu -menue- "Kopfzeile=Gr"$'\x81'"n" "(Menuanzeige)" "K"$'\x84'"se" "(Menuausfuhrung)" \
    $'\t1echo k' $'\t'
  start_menue
  wait_until "the umlaut item" screen_has "Käse" || return 1
  wait_until "the umlaut header" screen_has "Grün" || return 1
  screen_has "═══" && screen_has "║" || fail "the frame is not drawn as ═ and ║" || return 1
  wait_for_prompt || return 1
  insert_item "Brücke" || return 1
  wait_until "the new item" screen_has "Brücke" || return 1
  wait_for_prompt || return 1
  LC_ALL=C grep -q $'^Br\x81cke\r$' "$work/-menue-" ||
    fail "the MenuFile holds: $(od -An -c "$work/-menue-")" || return 1
  escape_ends_program || return 1
  wait_until "the probe's report" file_exists "$(probe_report)" || return 1
  [[ $(probe_value code-pages) == "65001 65001" && $(probe_value code-pages-end) == "65001 65001" ]] ||
    fail "the code pages changed: $(cat "$(probe_report)")"
}

# In a buffer of 9001 rows whose window shows its bottom, the menu, the
# prompt and a pass-through's output appear in that window, which stays
# where it was.
check_tall_buffer() {
  have_probe || return 1
  make_work
  local window_file=$scratch/window-$current_check.txt
  local probe_options="--rows 9001 --bottom --window '$(windows_path "$window_file")'"
  write_menu -menue- "Kopfzeile=Hoch" "(Menuanzeige)" "Erster" "Zweiter" "(Menuausfuhrung)" \
    $'\t1echo eins' $'\t1echo zwei' $'\t'
  start_menue
  wait_until "the menu in the window" screen_has "Zweiter" || return 1
  wait_until "the header in the window" screen_has "Hoch" || return 1
  wait_for_prompt || return 1
  type_at_prompt "echo unten" || return 1
  enter_command || return 1
  wait_until "the command's output in the window" row_is 1 "unten" || return 1
  press x "the menu after a key" screen_has "Zweiter" || return 1
  wait_for_prompt || return 1
  escape_ends_program || return 1
  wait_until "the probe's report" file_exists "$(probe_report)" || return 1
  [[ $(probe_value window-top) == 8976 ]] ||
    fail "the window moved: $(cat "$(probe_report)")"
}

# An 80x24 console window, the least window, shows the whole menu.
check_least_window() {
  make_work
  local pane_columns=80 pane_rows=24
  write_menu -menue- "Kopfzeile=Knapp" "(Menuanzeige)" "Erster" "(Menuausfuhrung)" $'\t1echo eins' $'\t'
  start_menue
  wait_until "the menu in the least window" screen_has "Erster" || return 1
  wait_for_prompt || return 1
  if screen_has "Fenster zu klein"; then
    fail "the least window taken as too small"
    return 1
  fi
  escape_ends_program
}

# In a console window smaller than 80x24 the menu shows one line saying the
# size needed and the size there is, and ESC still ends it. (Wine's terminal
# console keeps the size it started with when the pane is resized, so the
# way back to the menu is tested on POSIX only.)
check_small_window() {
  make_work
  local pane_columns=60 pane_rows=15
  write_menu -menue- "Kopfzeile=Klein" "(Menuanzeige)" "Erster" "(Menuausfuhrung)" $'\t1echo eins' $'\t'
  start_menue
  wait_until "the notice of the small window" \
    row_is 1 "Fenster zu klein: 80x24 nötig, 60x15 vorhanden" || return 1
  if screen_has "Erster"; then
    fail "the menu drawn into the small window"
    return 1
  fi
  escape_ends_program
}

# --run gives the item's exit status, direct and through the LaunchScript;
# --edit with an editor (a .cmd) that writes a sound menu installs it, and
# the history under %LOCALAPPDATA% lets --undo put the old text back.
check_shell_modes() {
  make_work
  write_menu -menue- 'Kopfzeile=Lauf' '(Menuanzeige)' 'Sieben' 'Zwei' '(Menuausfuhrung)' \
    $'\t1cmd /c exit 7' $'\t1echo zwei> aus.txt' 'exit /b 5' $'\t'
  local status before
  before=$(cat "$work/-menue-")
  (cd "$work" && wine "$exe" --run 1 </dev/null >/dev/null 2>&1)
  status=$?
  [[ $status == 7 ]] || fail "--run 1: status $status, not 7" || return 1
  (cd "$work" && wine "$exe" --run 2 </dev/null >/dev/null 2>&1)
  status=$?
  [[ $status == 5 ]] || fail "--run 2: status $status, not 5" || return 1
  [[ $(tr -d '\r' <"$work/aus.txt") == zwei ]] || fail "--run 2 wrote no aus.txt" || return 1
  printf 'Kopfzeile=Neu\r\n(Menuanzeige)\r\nEins\r\n(Menuausfuhrung)\r\n\t1cmd /c exit 0\r\n\t\r\n' \
    >"$scratch/neu.txt"
  printf '@echo off\r\ncopy /y "%s" %%1 >nul\r\n' "$(windows_path "$scratch/neu.txt")" \
    >"$scratch/editor.cmd"
  (cd "$work" && EDITOR=$(windows_path "$scratch/editor.cmd") wine "$exe" --edit </dev/null \
    >"$scratch/edit-out" 2>&1)
  status=$?
  [[ $status == 0 && $(head -c 13 "$work/-menue-") == Kopfzeile=Neu ]] ||
    fail "--edit: status $status, $(cat "$scratch/edit-out")" || return 1
  (cd "$work" && echo j | wine "$exe" --undo >"$scratch/undo-out" 2>&1)
  status=$?
  [[ $status == 0 && $(cat "$work/-menue-") == "$before" ]] ||
    fail "--undo: status $status, $(cat "$scratch/undo-out")" || return 1
}

CHECKS=(prompt_and_escape pass_through_echo two_line_item items_without_wait creation_dialogue
  insert_item read_only_menu drive_change example_menu version_and_help
  umlaut_items umlaut_dirs unicode_menu typed_text paste quick_edit utf8_console tall_buffer temp_with_blank
  least_window small_window shell_modes)

# ---------------------------------------------------------------- run

only=${WINE_TEST_ONLY:-}
if [[ -n $only && " ${CHECKS[*]} " != *" $only "* ]]; then
  echo "wine_test: no check named '$only' (checks: ${CHECKS[*]})"
  exit 1
fi
started=$SECONDS
failures=0
current_check=prefix
# A fresh prefix per run; the server then stays up for all checks so each
# start is quick.
wineboot -i >/dev/null 2>&1
wineserver -w
wineserver -p >/dev/null 2>&1
echo "wine_test: prefix ready after $((SECONDS - started)) s"

for current_check in "${CHECKS[@]}"; do
  [[ -z $only || $only == "$current_check" ]] || continue
  check_started=$SECONDS
  if "check_$current_check"; then
    echo "ok   [$current_check] $((SECONDS - check_started)) s"
  else
    echo "FAILED [$current_check]"
  fi
  tmuxc kill-session -t "$SESSION" 2>/dev/null
done

echo "wine_test: $failures failure(s), $((SECONDS - started)) s in all"
((failures == 0))
