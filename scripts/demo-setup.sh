# The demo's set-up, sourced by scripts/demo and scripts/screenshot from the
# project's root: installs what is missing, builds, copies the display
# program and the snapshot tool with their libraries into build/demo/,
# starts the controller simulator with the controllers at addresses 1 and 2
# on a free UDP port of 127.0.0.1, and writes build/demo/User.ini for it.
# Sets bin, demo and port; every process started goes into pids, which
# demo_cleanup (installed as the EXIT trap) stops by its id.

pids=()
demo_cleanup() {
  local pid
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  pids=()
}
trap demo_cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

demo_setup() {
  # 1. Dependencies and build.
  scripts/install-deps
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j"$(nproc)" --target Morvit morvit_snapshot controller-sim

  # 2. The program, the snapshot tool and the libraries they load from their
  #    own directory, as copies: the executable's directory is found through
  #    /proc/self/exe, which resolves links.
  bin="$PWD/build/bin"
  demo="$PWD/build/demo"
  rm -rf "$demo"
  mkdir -p "$demo"
  cp "$bin/Morvit" "$bin/morvit_snapshot" "$demo/"
  local libs lib exe
  libs=$(for exe in Morvit morvit_snapshot; do
           ldd "$bin/$exe" | awk -v dir="$bin/" 'index($3, dir) == 1 { print $3 }'
         done | sort -u)
  for lib in $libs; do
    cp -L "$lib" "$demo/"
  done

  # 3. The controllers at addresses 1 and 2, both behind one simulator on a
  #    free UDP port of 127.0.0.1.
  "$bin/controller-sim" --udp 0 --registers tools/controller_sim/demo_registers.txt \
    --log "$demo/controller-sim.log" </dev/null >"$demo/controller-sim.out" 2>&1 &
  local sim=$!
  pids+=("$sim")
  port=""
  for _ in $(seq 100); do
    port=$(sed -n 's/^udp \([0-9]*\)$/\1/p' "$demo/controller-sim.out")
    [[ -n "$port" ]] && break
    if ! kill -0 "$sim" 2>/dev/null; then break; fi
    sleep 0.1
  done
  if [[ -z "$port" ]]; then
    echo "demo: the controller simulator did not start:" >&2
    cat "$demo/controller-sim.out" >&2
    exit 1
  fi
  echo "demo: controllers 1 and 2 on 127.0.0.1:$port"

  # 4. User.ini, in code page 936 as the controller editor writes it.
  sed -e "/^;/d" -e "s/@PORT@/$port/g" tools/controller_sim/demo_user_ini.in | iconv -f UTF-8 -t CP936 >"$demo/User.ini"
}
