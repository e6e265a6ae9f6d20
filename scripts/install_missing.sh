# Sourced by the scripts: install_missing PACKAGE... installs with apt-get
# the Debian packages that are not installed yet (as root, or through sudo),
# or says which are missing where it cannot. Returns non-zero on failure.
install_missing() {
  local missing=() p
  if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
    echo "No dpkg/apt-get: make sure these are installed: $*"
    return 0
  fi
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  if ((${#missing[@]} == 0)); then
    echo "All packages present."
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=()
  if ((EUID != 0)); then
    if command -v sudo >/dev/null; then
      sudo=(sudo)
    else
      echo "Not root and no sudo: install these packages first: ${missing[*]}" >&2
      return 1
    fi
  fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}" </dev/null
}
