#!/usr/bin/env bash
# Builds the packages into build-package/: the Debian package
# (menue_<version>_<arch>.deb, with its .buildinfo, .changes and debug
# symbols) with dpkg-buildpackage from debian/, checked by lintian, and the
# zip of the Windows build (menue-<version>-windows.zip) with CPack
# (cmake/packaging.cmake). Prints each package's contents and fails on a
# lintian error or warning, on a missing hardening feature, or when the
# program needs a shared library beyond the C library.
#
# Environment: JOBS (default: the number of processors) sets the build parallelism.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}
out=$root/build-package
version=$(sed -n 's/^project(menue VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
changelog_version=$(dpkg-parsechangelog -S Version)
if [[ $changelog_version != "$version" ]]; then
  echo "package.sh: debian/changelog says $changelog_version, CMakeLists.txt $version" >&2
  exit 1
fi
rm -rf "$out"
mkdir -p "$out"

# --- Debian: dpkg-buildpackage on a copy of the sources, since it writes
# its results into the parent directory and its work into debian/ ---
work=$out/debian-build
source_copy=$work/menue-$version
mkdir -p "$source_copy"
tar -C "$root" --exclude=./.git --exclude='./build*' --exclude=./.cache -cf - . |
  tar -C "$source_copy" -xf -
log=$out/dpkg-buildpackage.log
if ! (cd "$source_copy" && dpkg-buildpackage -b -us -uc -j"$jobs") >"$log" 2>&1; then
  tail -n 60 "$log"
  echo "package.sh: dpkg-buildpackage failed; its log is $log" >&2
  exit 1
fi
grep -E '^dpkg-(buildpackage|genchanges|deb):' "$log" || true
mv "$work"/*.deb "$work"/*.buildinfo "$work"/*.changes "$out"/
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
deb=$out/menue_${version}_${arch}.deb
changes=$out/menue_${version}_${arch}.changes

echo "== $deb"
dpkg-deb -I "$deb"
dpkg-deb -c "$deb"

# Notes (info, pedantic) are shown; an error or a warning fails. Each note
# that stays is explained in the README.
echo "== lintian"
lintian --fail-on error,warning --display-info --pedantic "$changes"

# The C++ runtime is linked in: only the C library (libc, libm, ld.so) may
# remain. The hardening features asked for in debian/rules must be there.
unpacked=$work/unpacked
dpkg-deb -x "$deb" "$unpacked"
program=$unpacked/usr/bin/menue
needed=$(objdump -p "$program" | awk '/NEEDED/ {print $2}')
echo "needed: $(echo $needed)"
for library in $needed; do
  case $library in
    libc.so.* | libm.so.* | ld-linux*.so.*) ;;
    *)
      echo "package.sh: the program needs $library beyond the C library" >&2
      exit 1
      ;;
  esac
done
# The C library, and sensible-utils for the editor of menue --edit.
depends=$(dpkg-deb -f "$deb" Depends)
if [[ ! $depends =~ ^libc6\ \([^,]*\),\ sensible-utils$ ]]; then
  echo "package.sh: unexpected dependencies: $depends" >&2
  exit 1
fi
headers=$(readelf -W -h -l -d "$program")
dynamic_symbols=$(objdump -T "$program")
hardening=(
  "position independent:Type: *DYN"
  "read-only relocations:GNU_RELRO"
  "bind now:FLAGS.*BIND_NOW|FLAGS_1.*NOW"
)
for feature in "${hardening[@]}"; do
  if ! grep -Eq "${feature#*:}" <<<"$headers"; then
    echo "package.sh: the program lacks ${feature%%:*}" >&2
    exit 1
  fi
done
grep -q '__stack_chk_fail' <<<"$dynamic_symbols" ||
  { echo "package.sh: the program has no stack protector" >&2; exit 1; }
# Fortification shows in the binary only where the compiler knows a
# buffer's size, which the program's calls never let it; so every compile
# line must have asked for it.
compiles=$(grep -E ' -c [^ ]+\.cpp$' "$log" || true)
unfortified=$(grep -v -e '-D_FORTIFY_SOURCE=' <<<"$compiles" || true)
if [[ -z $compiles || -n $unfortified ]]; then
  echo "package.sh: compiled without _FORTIFY_SOURCE: ${unfortified:-no compile lines in $log}" >&2
  exit 1
fi
echo "hardening: PIE, RELRO, BIND_NOW, stack protector, _FORTIFY_SOURCE on" \
  "$(wc -l <<<"$compiles") compile lines"
rm -rf "$work"

# --- Windows: the zip of the cross-compiled build ---
cmake --preset windows -DMENUE_WERROR=ON >/dev/null
cmake --build --preset windows -j "$jobs"
(cd build-windows && cpack -B "$out" >/dev/null)
rm -rf "$out/_CPack_Packages"
zip=$out/menue-${version}-windows.zip
echo "== $zip"
unzip -l "$zip"

echo "Packages in $out:"
ls -l "$out"
