#!/usr/bin/env bash
# Installs what is missing, builds, and then starts the editor (no argument),
# runs every test ("test") or runs the benchmarks ("bench").
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ clang libclang-rt-dev pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev bash-completion dpkg-dev liblua5.4-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The trees are the presets of CMakePresets.json: "plain" (GCC, optimised:
# programs, tests, benchmarks, tools) in build/, "sanitize" (Clang with the
# sanitizers, where the tests run) in build-sanitize/, "fuzz" in build-fuzz/.
build=build
# ccache, where the machine has it, makes rebuilds in other checkouts quick.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # The precompiled headers are cached too, once ccache may trust them.
  export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
fi
if [ "${1:-run}" = test ] || [ ! -f "$build/build.ninja" ]; then
  cmake --preset plain "${launcher[@]}" >/dev/null
fi
cmake --build --preset plain

case "${1:-run}" in
  run)
    # With no image named, the editor starts on a demo image of our own.
    if [ $# -gt 1 ]; then
      exec "$build/bin/quarry" "$2"
    fi
    exec "$build/bin/quarry" --demo
    ;;
  *.nes)
    exec "$build/bin/quarry" "$1"
    ;;
  test)
    # Every test runs once, in a tree built with AddressSanitizer and
    # UndefinedBehaviorSanitizer: the core, the command-line tool and the
    # editor offscreen, with the fuzzers' seeds and findings replayed.
    # Benchmarks and hand-run tools stay out. -O1 keeps the runs quick and
    # lets the compiler see uninitialised uses; assertions stay on.
    cmake --preset sanitize "${launcher[@]}" >/dev/null
    cmake --build --preset sanitize
    # Leaks fail the tests too: Qt offscreen leaks nothing at exit, so no
    # suppression list hides anything of ours. The sanitizer's tracking of
    # libraries' dynamic thread-local storage misreads it once fontconfig and
    # the platform plugins load in a fresh home folder, and the leak check
    # then dies at exit; nothing of ours keeps memory only there. The test
    # preset sets the sanitizers' options.
    ctest --preset sanitize -j "$(nproc)"
    ;;
  bench)
    # Timed measurements, not tests: run them on a quiet machine. The core
    # suite reports medians of three repetitions; see bench/README.md.
    echo "== core (Google Benchmark; compare CPU time with the _memcpy floor below each)"
    "$build/bin/quarry-bench-core" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
      --benchmark_display_aggregates_only=true --benchmark_filter="${QUARRY_BENCH_FILTER:-.}"
    echo "== quarry-cli render-all (wall time, 186 pictures)"
    "$build/bin/quarry-bench-cli"
    echo "== editor, offscreen"
    QT_QPA_PLATFORM=offscreen "$build/bin/quarry-bench-gui"
    QT_QPA_PLATFORM=offscreen "$build/bin/quarry-bench-gui" memory
    QT_QPA_PLATFORM=offscreen "$build/bin/quarry-bench-startup"
    echo "== animation playback (10 s)"
    "$build/bin/quarry-bench-playback" 10
    ;;
  package)
    # The Debian package of the plain tree: quarry_VERSION_amd64.deb in build/.
    (cd "$build" && cpack -G DEB)
    ;;
  *)
    echo "usage: ./quarry.sh [run [FILE.nes] | FILE.nes | test | bench | package]" >&2
    exit 2
    ;;
esac
