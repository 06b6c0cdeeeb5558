# The demo's set-up, sourced by scripts/demo and scripts/screenshot from the
# project's root: installs what is missing, builds build/ with the plain
# preset, installs it into build/demo/ (the display program, the snapshot
# tool, the controller simulator and the libraries together in
# build/demo/bin/), starts the controller simulator from there with the
# controllers at addresses 1 and 2 on a free UDP port of 127.0.0.1, and
# writes build/demo/bin/User.ini for it. The simulator's output and log stay
# in build/demo/. Sets demo (the installed tree), bin (its programs) and
# port; every process started goes into pids, which demo_cleanup (installed
# as the EXIT trap) stops by its id.

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
  # 1. Dependencies and build. Everything: the install takes every
  #    deliverable.
  scripts/install-deps
  cmake --preset plain >/dev/null
  cmake --build --preset plain -j"$(nproc)"

  # 2. The installed tree, as a user gets it: the programs load their
  #    libraries and read User.ini from their own directory.
  demo="$PWD/build/demo"
  bin="$demo/bin"
  rm -rf "$demo"
  cmake --install build --prefix "$demo" >/dev/null

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
  sed -e "/^;/d" -e "s/@PORT@/$port/g" tools/controller_sim/demo_user_ini.in | iconv -f UTF-8 -t CP936 >"$bin/User.ini"
}
