#!/usr/bin/env bash
# Builds the packages into build-package/: the Debian package
# (menue_<version>_<arch>.deb, with its .buildinfo, .changes and debug
# symbols) with dpkg-buildpackage from debian/, checked by lintian, and the
# zip of the Windows build (menue-<version>-windows.zip) with CPack
# (cmake/packaging.cmake). Prints each package's contents and fails on a
# lintian error or warning, on a hardening feature hardening-check misses,
# or when the program needs a shared library beyond the C and C++ runtimes
# (the Debian program links the C++ runtime as a shared library; the
# Windows program is one static file).
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

# Only the C and C++ runtimes may be needed, each a dependency found by
# dh_shlibdeps (${shlibs:Depends}).
unpacked=$work/unpacked
dpkg-deb -x "$deb" "$unpacked"
program=$unpacked/usr/bin/menue
needed=$(objdump -p "$program" | awk '/NEEDED/ {print $2}')
echo "needed: $(echo $needed)"
for library in $needed; do
  case $library in
    libc.so.* | libm.so.* | ld-linux*.so.* | libstdc++.so.* | libgcc_s.so.*) ;;
    *)
      echo "package.sh: the program needs $library beyond the C and C++ runtimes" >&2
      exit 1
      ;;
  esac
done
# The runtimes, and sensible-utils for the editor of menue --edit.
depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for package in libc6 libstdc++6 sensible-utils; do
  if [[ ", $depends," != *", $package"[\ ,]* ]]; then
    echo "package.sh: the package does not depend on $package: $depends" >&2
    exit 1
  fi
done
# Every feature hardening-check knows: PIE, stack protector, fortified
# functions, RELRO, BIND_NOW, stack clash and control-flow protection. The
# linker marks a program for control-flow protection only when every object
# in it is marked; where the C library's start files are not (Debian 12),
# no program can be, and the compile lines below show the flag instead.
echo "== hardening-check"
if ! command -v hardening-check >/dev/null; then
  echo "package.sh: hardening-check is missing (package devscripts)" >&2
  exit 1
fi
unmarkable=()
start_file=$(g++ -print-file-name=Scrt1.o)
if ! readelf -n "$start_file" | grep -q 'x86 feature: IBT, SHSTK'; then
  echo "control-flow protection: $start_file is not marked; checked on the compile lines"
  unmarkable=(--nocfprotection)
fi
hardening-check "${unmarkable[@]}" "$program"
# Fortification shows in the binary only where the compiler knows a
# buffer's size, and stack clash protection only in a frame larger than a
# page; so every compile line must show them: fortification, and stack
# clash and control-flow protection where the compiler has them.
compiles=$(grep -E ' -c [^ ]+\.cpp$' "$log" || true)
if [[ -z $compiles ]]; then
  echo "package.sh: no compile lines in $log" >&2
  exit 1
fi
flags=(-D_FORTIFY_SOURCE=)
for flag in -fstack-clash-protection -fcf-protection; do
  if g++ -Werror "$flag" -x c++ -c -o /dev/null /dev/null 2>/dev/null; then flags+=("$flag"); fi
done
for flag in "${flags[@]}"; do
  missing=$(grep -v -e " $flag" <<<"$compiles" || true)
  if [[ -n $missing ]]; then
    echo "package.sh: compiled without $flag: $missing" >&2
    exit 1
  fi
done
echo "hardening: ${flags[*]} on $(wc -l <<<"$compiles") compile lines"
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
