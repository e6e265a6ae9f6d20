#!/usr/bin/env bash
# Builds the packages into build-package/: the Debian package of the native
# release build (menue_<version>_<arch>.deb) and the zip of the Windows build
# (menue-<version>-windows.zip), both with CPack (cmake/packaging.cmake).
# Prints each package's contents and checks that the program needs no shared
# library beyond the C library.
#
# Environment: JOBS (default: the number of processors) sets the build parallelism.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}
out=$root/build-package
rm -rf "$out"
mkdir -p "$out"

# package <preset> <build dir>: configures, builds and packs one preset.
package() {
  cmake --preset "$1" -DMENUE_WERROR=ON >/dev/null
  cmake --build --preset "$1" -j "$jobs"
  (cd "$2" && cpack -B "$out" >/dev/null)
}

package release build-release
package windows build-windows
rm -rf "$out/_CPack_Packages"

version=$(sed -n 's/^project(menue VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=$(ls "$out"/menue_"${version}"_*.deb)
zip=$out/menue-${version}-windows.zip

echo "== $deb"
dpkg-deb -I "$deb"
dpkg-deb -c "$deb"
# The C++ runtime is linked in: only the C library (libc, libm, ld.so) may remain.
needed=$(objdump -p build-release/menue | awk '/NEEDED/ {print $2}')
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
depends=$(dpkg-deb -f "$deb" Depends)
if [[ $depends != libc6* || $depends == *,* ]]; then
  echo "package.sh: unexpected dependencies: $depends" >&2
  exit 1
fi

echo "== $zip"
unzip -l "$zip"
echo "Packages in $out:"
ls -l "$deb" "$zip"
