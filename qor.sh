#!/usr/bin/env bash
# One entry point for the project: installs what the build needs, builds, and runs a job.
#   ./qor.sh demo [-o DIR]  build and run the demo (the main job); files in DIR (./qorgrid-demo)
#   ./qor.sh test        build and run every test
#   ./qor.sh bench       build and run the benchmarks
#   ./qor.sh asan        build and run the tests under ASan + UBSan (clang)
#   ./qor.sh fuzz NAME [SECONDS]  build the libFuzzer targets and run one
#   ./qor.sh coverage    build with gcov, run every test and report line coverage of src/
#   ./qor.sh sales [-o DIR]   the demo sales sheet with a chart and a button under xvfb-run,
#                        as it opens and scrolled (DIR/sales-0.png, sales-5.png)
#   ./qor.sh window [-o DIR]  open the demo invoice in a window under xvfb-run, type into it
#                        and take a screenshot (DIR/window.png, default ./qorgrid-window)
#   ./qor.sh preview [-o DIR] [ARGS]  open the demo invoice in the print preview under xvfb-run
#                        and take a screenshot (DIR/preview.png, default ./qorgrid-preview);
#                        ARGS go to the example: FILE.qld, --zoom 页宽|全页|N, --page N
#   ./qor.sh designer [FILE.qld] [ARGS]  open the grid designer on FILE (a new document
#                        without one); under xvfb-run when there is no display. ARGS go to the
#                        program: --demo, --screenshot FILE.png [--show format|preview|inspector]
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)

packages=(
  cmake g++ ninja-build pkg-config ccache
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-image-formats-plugins libqt6sql6-sqlite libqt6sql6-psql postgresql
  zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev libixion-dev libboost-dev
  libxlsxwriter-dev liborcus-dev libminizip-dev
  fonts-wqy-microhei poppler-utils
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

# A throw-away PostgreSQL cluster for the binding tests: a temporary folder, a private Unix
# socket (no TCP), stopped and removed when the script ends. The tests find it through the
# QOR_PG_* variables; $QOR_PG_CTL stop|start lets a test take the server away and back.
pg_root=""
start_postgres() {
  local bin
  bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
  if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
    echo "qor.sh: no PostgreSQL server found; its binding tests will be skipped and say why"
    return 0
  fi
  pg_root=$(mktemp -d "${TMPDIR:-/tmp}/qor-pg.XXXXXX")
  local as=""
  if [ "$(id -u)" -eq 0 ]; then
    chown postgres: "$pg_root"
    as="runuser -u postgres --"
  fi
  $as "$bin/initdb" -D "$pg_root/data" -U qor -A trust -E UTF8 --no-sync >"$pg_root/initdb.log" 2>&1 ||
    { cat "$pg_root/initdb.log"; return 1; }
  cat >"$pg_root/ctl" <<EOF
#!/usr/bin/env bash
# start | stop the test server
extra=""; [ "\$1" = stop ] && extra="-m fast"
exec $as "$bin/pg_ctl" -D "$pg_root/data" -l "$pg_root/server.log" -w \$extra \\
  -o "-k $pg_root -c listen_addresses= -p 55432 -F" "\$1"
EOF
  chmod 755 "$pg_root/ctl"
  "$pg_root/ctl" start >/dev/null || { cat "$pg_root/server.log"; return 1; }
  export QOR_PG_SOCKET="$pg_root" QOR_PG_PORT=55432 QOR_PG_USER=qor QOR_PG_DB=postgres QOR_PG_CTL="$pg_root/ctl"
  trap stop_postgres EXIT
}
stop_postgres() {
  [ -n "$pg_root" ] || return 0
  "$pg_root/ctl" stop >/dev/null 2>&1 || true
  rm -rf "$pg_root"
  pg_root=""
}

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
    start_postgres
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
    start_postgres
    (cd build-asan && LSAN_OPTIONS="suppressions=$root/tests/fuzz/lsan.supp" QT_QPA_PLATFORM=offscreen \
      ctest --output-on-failure -j "$jobs" "$@")
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
    LSAN_OPTIONS="suppressions=$root/tests/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}" \
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
  preview)
    install_packages "${packages[@]}" "${window_packages[@]}"
    cmake -S "$root" -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j "$jobs" --target example_preview_window
    out=qorgrid-preview
    if [ "${1:-}" = -o ]; then out=${2:?-o wants a folder}; shift 2; fi
    mkdir -p "$out"
    xvfb-run -a -s "-screen 0 1280x1024x24" ./build/examples/example_preview_window \
      --screenshot "$out/preview.png" "$@"
    echo "qor.sh: screenshot in $out/preview.png"
    ;;
  sales)
    install_packages "${packages[@]}" "${window_packages[@]}"
    cmake -S "$root" -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j "$jobs" --target example_sales_window
    out=qorgrid-sales
    if [ "${1:-}" = -o ]; then out=${2:?-o wants a folder}; shift 2; fi
    mkdir -p "$out"
    # The sheet as it opens, and scrolled down five rows: chart and button keep to their cells.
    for rows in 0 5; do
      xvfb-run -a -s "-screen 0 1280x1024x24" ./build/examples/example_sales_window \
        --scroll "$rows" --screenshot "$out/sales-$rows.png"
    done
    echo "qor.sh: screenshots in $out/sales-0.png and $out/sales-5.png"
    ;;
  designer)
    install_packages "${packages[@]}"
    cmake -S "$root" -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j "$jobs" --target qorgrid_designer
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
      ./build/apps/designer/qorgrid-designer "$@"
    else
      install_packages "${window_packages[@]}"
      xvfb-run -a -s "-screen 0 1280x1024x24" ./build/apps/designer/qorgrid-designer "$@"
    fi
    ;;
  *)
    echo "usage: ./qor.sh demo|test|bench|asan|coverage|window|preview|sales|designer|fuzz NAME [SECONDS]" >&2
    exit 2
    ;;
esac
