#!/bin/sh
# check_install.sh CMAKE BUILD_DIR
# Installs the build into a temporary prefix, then checks that the installed
# programs (Morvit, Selkan) find the project's libraries in the prefix
# (never in the build tree), that nothing is missing, and that they run
# until they are stopped.
set -eu
cmake=$1
build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

for file in bin/Morvit bin/Selkan bin/controller-sim bin/libTarnex.so bin/libplatform_shared.so \
            include/tarnex.h include/plc_reply.h include/plc_register_map.h include/window_messages.h; do
  if [ ! -e "$prefix/$file" ]; then
    echo "not installed: $file" >&2
    exit 1
  fi
done

for program in "$prefix/bin/Morvit" "$prefix/bin/Selkan" "$prefix/bin/controller-sim"; do
  libs=$(ldd "$program")
  if echo "$libs" | grep -q 'not found'; then
    echo "$program: unresolved libraries:" >&2
    echo "$libs" >&2
    exit 1
  fi
  for lib in libTarnex.so libplatform_shared.so; do
    line=$(echo "$libs" | grep "$lib" || true)
    [ -n "$line" ] || continue
    case "$line" in
      *"=> $prefix/bin/$lib "*) ;;
      *) echo "$program: $lib resolves outside the prefix: $line" >&2; exit 1 ;;
    esac
  done
done

# Started from another directory: it keeps its files beside itself.
cd /
for program in Morvit Selkan; do
  status=0
  timeout 3 "$prefix/bin/$program" || status=$?
  if [ "$status" -ne 124 ]; then
    echo "installed $program ended with $status instead of running" >&2
    exit 1
  fi
done
