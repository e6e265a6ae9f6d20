#!/usr/bin/env bash
# Builds everything and runs every test: the formatting of the C++ sources,
# the Windows build (tested under Wine),
# the native build with its unit, scenario and end-to-end tests, the packages
# (installed into a scratch root and run), the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a bounded run of each
# libFuzzer target. On a fresh Debian machine it first installs what is
# missing (as root). Exits non-zero on the first failure.
#
# Environment: FUZZ_SECONDS (default 30) bounds each fuzz target's run;
# JOBS (default: the number of processors) sets the build and test parallelism.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)

fuzz_seconds=${FUZZ_SECONDS:-30}
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}
packages=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev
  libbenchmark-dev libvterm-dev pkg-config tmux g++-mingw-w64-x86-64-posix wine64
  dialog whiptail dpkg-dev debhelper lintian devscripts mandoc groff-base man-db unzip
  unicode-data strace clang-format)

# --- stage bookkeeping: every stage's time and result end up in the summary ---
summary=()
stage_name=""
stage_start=0
scratch_dirs=()

begin_stage() {
  stage_name=$1
  stage_start=$SECONDS
  printf '\n=== %s\n' "$stage_name"
}

end_stage() {
  summary+=("$(printf '  %-34s ok     %4ds' "$stage_name" $((SECONDS - stage_start)))")
  stage_name=""
}

skip_stage() {
  summary+=("$(printf '  %-34s skipped (%s)' "$1" "$2")")
}

finish() {
  local rc=$?
  if [[ -n $stage_name ]]; then
    summary+=("$(printf '  %-34s FAILED %4ds' "$stage_name" $((SECONDS - stage_start)))")
  fi
  if ((${#scratch_dirs[@]})); then rm -rf "${scratch_dirs[@]}"; fi
  printf '\n=== Summary (%ds in all)\n' "$SECONDS"
  if ((${#summary[@]})); then printf '%s\n' "${summary[@]}"; fi
  if ((rc == 0)); then echo "All stages passed."; else echo "FAILED (exit code $rc)."; fi
  exit "$rc"
}
trap finish EXIT

# --- what a fresh Debian machine lacks ---
source scripts/install_missing.sh
if command -v dpkg-query >/dev/null && command -v apt-get >/dev/null; then
  begin_stage "install missing packages"
  install_missing "${packages[@]}"
  end_stage
else
  skip_stage "install missing packages" "no dpkg/apt-get"
fi

# One stage: configure and build a preset with warnings as errors.
build_preset() {
  begin_stage "$1: configure and build"
  cmake --preset "$1" -DMENUE_WERROR=ON
  cmake --build --preset "$1" -j "$jobs"
  end_stage
}

# One stage: a preset's tests; further arguments go to ctest.
test_preset() {
  local preset=$1 title=$2
  shift 2
  begin_stage "$preset: ctest$title"
  ctest --preset "$preset" -j "$jobs" --timeout 900 "$@" </dev/null
  end_stage
}

# --- the formatting: every C++ source of the tree as .clang-format has it ---
begin_stage "format: clang-format --dry-run"
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
end_stage

# --- Windows build, cross-compiled; the default preset's ctest runs it under Wine ---
build_preset windows

# --- native build and every test ---
build_preset default
test_preset default " (with Wine)"

# --- the packages: the .deb built by dpkg-buildpackage and passed by lintian
# (scripts/package.sh fails on a lintian error or warning), unpacked into a
# scratch root and run; the zip unpacked and run under Wine ---
begin_stage "packages: build, lintian, install, run"
bash scripts/package.sh
package_root=$(mktemp -d "${TMPDIR:-/tmp}/menue-package.XXXXXX")
scratch_dirs+=("$package_root")
dpkg -x build-package/menue_*_amd64.deb "$package_root/deb"
installed=$package_root/deb/usr
installed_version=$("$installed/bin/menue" --version)
echo "installed: $installed_version"
[[ ${installed_version%%$'\n'*} =~ ^menue\ [0-9.]+$ && $installed_version == *$'\nLizenz MIT '* ]]
for page in man1/menue.1.gz de/man1/menue.1.gz; do
  manual=$(MANWIDTH=80 man -l "$installed/share/man/$page" </dev/null)
  grep -q -- "--check" <<<"$manual"
done
[[ $(MANPATH="$installed/share/man" man -L de -w menue) == */de/man1/menue.1.gz ]]
for page in docs/menue.1 docs/menue.de.1; do mandoc -Tlint "$page"; done
# The sample menu, copied as the README says, is sound.
sample=$package_root/sample
mkdir "$sample"
cp "$installed/share/doc/menue/examples/-menue-" "$sample/"
(cd "$sample" && "$installed/bin/menue" --check)
zcat "$installed/share/doc/menue/README.gz" | grep -q '^Licence'
unzip -q build-package/menue-*-windows.zip -d "$package_root/zip"
# The Wine test's prefix handling, on the unpacked menue.exe alone.
WINE_TEST_ONLY=version_and_help bash tests/e2e/wine_test.sh \
  "$(find "$package_root/zip" -name menue.exe)" "$root/examples"
end_stage

# --- the same tests under the sanitizers (the Wine test adds nothing there) ---
build_preset asan
test_preset asan "" -LE wine

# --- fuzzing: a bounded run of every target, on a scratch copy of its corpus ---
if command -v clang++ >/dev/null; then
  build_preset fuzz

  mapfile -t targets < <(find build-fuzz -type f -perm -u+x -name '*_fuzz' | sort)
  if ((${#targets[@]} == 0)); then
    skip_stage "fuzz: run targets" "no fuzz targets built"
  fi
  for target in "${targets[@]}"; do
    name=$(basename "$target")
    begin_stage "fuzz: $name ${fuzz_seconds}s"
    work=$(mktemp -d "${TMPDIR:-/tmp}/menue-fuzz-$name.XXXXXX")
    scratch_dirs+=("$work")
    mkdir -p "$work/corpus"
    if [[ -d tests/fuzz/corpus/$name ]]; then
      cp -R "tests/fuzz/corpus/$name/." "$work/corpus/"
    fi
    # Findings are kept in the build tree (not the repository) for a regression test.
    artifacts="$root/build-fuzz/artifacts/$name"
    mkdir -p "$artifacts"
    # The fuzzer's progress lines go to a log; its end (or the whole failure) is shown.
    log="$root/build-fuzz/artifacts/$name.log"
    if (cd "$work" && "$root/$target" -max_total_time="$fuzz_seconds" -print_final_stats=1 \
      -artifact_prefix="$artifacts/" "$work/corpus" </dev/null >"$log" 2>&1); then
      grep -E '^(Done|stat::number_of_executed_units)' "$log" || true
    else
      tail -n 80 "$log"
      echo "Fuzz target $name failed; its log is $log, findings are in $artifacts/" >&2
      false
    fi
    end_stage
  done
else
  skip_stage "fuzz" "clang++ not found"
fi
