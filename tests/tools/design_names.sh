#!/bin/bash
# Every name docs/design.md writes in backticks must exist in the sources:
# an identifier (with its scopes, "Key::extended(...)" as "Key" and
# "extended") as a whole word, a file or folder name as a file or folder of
# the tree. Other backticked text (a key sequence, a command line, an
# error message) is not a name and is left alone.
set -u
root="${1:?usage: design_names.sh SOURCE_DIR}"
cd "$root" || exit 2
design=docs/design.md
sources=(app interactive modes console editing menufile platform session tests bench tools cmake CMakeLists.txt)
missing=0

while IFS= read -r span; do
  name="${span//\`/}"
  if [[ "$name" =~ ^[A-Za-z0-9_./-]+(\.(h|cpp|md|sh|txt|cmake)|/)$ ]]; then
    path="${name%/}"
    if [[ ! -e "$path" ]] &&
       ! find "${sources[@]}" docs scripts -path "*${path}" -print -quit 2>/dev/null | grep -q .; then
      echo "$design: no file or folder \`$name\`"
      missing=1
    fi
    continue
  fi
  # A call is its name.
  name="${name%%(*}"
  [[ "$name" =~ ^[A-Za-z_][A-Za-z0-9_]*(::[A-Za-z_][A-Za-z0-9_]*)*$ ]] || continue
  for part in ${name//::/ }; do
    if ! grep -rqw --include='*.cpp' --include='*.h' --include='CMakeLists.txt' --include='*.cmake' \
         -- "$part" "${sources[@]}"; then
      echo "$design: \`$span\` names \`$part\`, which no source holds"
      missing=1
    fi
  done
done < <(grep -o '`[^`]*`' "$design" | sort -u)

exit "$missing"
