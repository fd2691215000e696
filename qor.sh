#!/usr/bin/env bash
# One entry point for the project: installs what the build needs, builds, and runs a job.
#   ./qor.sh demo [-o DIR]  build and run the demo (the main job); files in DIR (./qorgrid-demo)
#   ./qor.sh test        build and run every test
#   ./qor.sh bench       build and run the benchmarks
#   ./qor.sh asan        build and run the tests under ASan + UBSan (clang)
#   ./qor.sh fuzz NAME [SECONDS]  build the libFuzzer targets and run one
#   ./qor.sh coverage    build with gcov, run every test and report line coverage of src/
#   ./qor.sh window [-o DIR]  open the demo invoice in a window under xvfb-run, type into it
#                        and take a screenshot (DIR/window.png, default ./qorgrid-window)
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)

packages=(
  cmake g++ ninja-build pkg-config ccache
  qt6-base-dev qt6-image-formats-plugins libqt6sql6-sqlite
  zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev libixion-dev libboost-dev
  fonts-wqy-microhei
)
fuzz_packages=(clang libclang-rt-14-dev)
window_packages=(xvfb xauth qt6-qpa-plugins)
coverage_packages=(gcovr)

install_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "qor.sh: installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

jobs=$(nproc 2>/dev/null || echo 2)

build() { # build DIR [cmake args...]
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

cmd=${1:-demo}; shift || true
case "$cmd" in
  demo)
    install_packages "${packages[@]}"
    build build
    QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} ./build/apps/qorgrid/qorgrid demo "$@"
    ;;
  test)
    install_packages "${packages[@]}"
    build build
    (cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs" "$@")
    ;;
  bench)
    install_packages "${packages[@]}"
    build build-bench -DQOR_BENCH=ON -DCMAKE_BUILD_TYPE=Release
    for b in build-bench/bench/bench_*; do
      [ -f "$b" ] && [ -x "$b" ] || continue  # skip the autogen folders
      echo "== $(basename "$b")"
      QT_QPA_PLATFORM=offscreen "$b" "$@"
    done
    ;;
  asan)
    install_packages "${packages[@]}" "${fuzz_packages[@]}"
    build build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQOR_SANITIZE=ON
    (cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs" "$@")
    ;;
  coverage)
    install_packages "${packages[@]}" "${coverage_packages[@]}"
    build build-coverage -DCMAKE_BUILD_TYPE=Debug -DQOR_COVERAGE=ON
    find build-coverage -name '*.gcda' -delete
    # Failures still leave their counts behind; the report says what ran.
    (cd build-coverage && QT_QPA_PLATFORM=offscreen ctest -j "$jobs" "$@") || true
    gcovr -r "$root" --object-directory build-coverage --filter "$root/src/" -j "$jobs" \
      --print-summary --txt build-coverage/coverage.txt
    echo "qor.sh: per-file figures in build-coverage/coverage.txt"
    ;;
  fuzz)
    install_packages "${packages[@]}" "${fuzz_packages[@]}"
    build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQOR_FUZZ=ON
    name=${1:?fuzz target name}; secs=${2:-600}
    mkdir -p "build-fuzz/corpus/$name"
    seeds="tests/fuzz/corpus/$name"; [ -d "$seeds" ] || seeds=""
    QT_QPA_PLATFORM=offscreen "build-fuzz/tests/fuzz/fuzz_$name" -max_total_time="$secs" \
      -artifact_prefix="build-fuzz/" "build-fuzz/corpus/$name" $seeds
    ;;
  window)
    install_packages "${packages[@]}" "${window_packages[@]}"
    cmake -S "$root" -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j "$jobs" --target example_invoice_window
    # A new line item above the last one (Insert), typed cell by cell: the amount formula and
    # the totals recompute; then the first line's quantity changes.
    steps=${QOR_WINDOW_STEPS:-'@A7{Insert}4{Tab}办公桌{Tab}3{Tab}860{Tab}=C7*D7{Enter}@A8{F2}{Backspace}5{Enter}@C4{F2}{Backspace}6{Enter}'}
    out=qorgrid-window
    if [ "${1:-}" = -o ]; then out=${2:?-o wants a folder}; shift 2; fi
    mkdir -p "$out"
    xvfb-run -a -s "-screen 0 1280x1024x24" ./build/examples/example_invoice_window \
      --type "$steps" --screenshot "$out/window.png" "$@"
    echo "qor.sh: screenshot in $out/window.png"
    ;;
  *)
    echo "usage: ./qor.sh demo|test|bench|asan|coverage|window|fuzz NAME [SECONDS]" >&2
    exit 2
    ;;
esac
