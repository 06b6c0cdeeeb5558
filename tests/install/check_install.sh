#!/bin/sh
# check_install.sh CMAKE BUILD_DIR C_COMPILER [SANITIZERS]
# Installs the build into a temporary prefix, then checks that the installed
# programs (Morvit, Selkan) find the project's libraries in the prefix
# (never in the build tree), that nothing is missing, that a C caller builds
# on the installed headers alone, and that the programs run until they are
# stopped.
set -eu
cmake=$1
build=$2
cc=$3
sanitize=${4:-}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

for file in bin/Morvit bin/Selkan bin/controller-sim bin/morvit_snapshot \
            bin/libTarnex.so bin/libQuodel.so bin/libplatform_shared.so \
            include/tarnex.h include/plc_reply.h include/plc_register_map.h \
            include/quodel.h include/quodel_vars.h \
            include/window_messages.h include/platform_export.h; do
  if [ ! -e "$prefix/$file" ]; then
    echo "not installed: $file" >&2
    exit 1
  fi
done

for program in "$prefix/bin/Morvit" "$prefix/bin/Selkan" "$prefix/bin/controller-sim" "$prefix/bin/morvit_snapshot"; do
  libs=$(ldd "$program")
  if echo "$libs" | grep -q 'not found'; then
    echo "$program: unresolved libraries:" >&2
    echo "$libs" >&2
    exit 1
  fi
  for lib in libTarnex.so libQuodel.so libplatform_shared.so; do
    line=$(echo "$libs" | grep "$lib" || true)
    [ -n "$line" ] || continue
    case "$line" in
      *"=> $prefix/bin/$lib "*) ;;
      *) echo "$program: $lib resolves outside the prefix: $line" >&2; exit 1 ;;
    esac
  done
done

# A caller outside the tree: the installed headers stand on their own, and
# the libraries link from the prefix.
cat >"$prefix/caller.c" <<'EOF'
#include <tarnex.h>
#include <quodel.h>
int main(void) { return PLC_Startup(0) == 1 ? PLC_Cleanup() != 1 : 1; }
EOF
if ! "$cc" -std=c11 ${sanitize:+-fsanitize=$sanitize} -Wall -Werror -I"$prefix/include" "$prefix/caller.c" -o "$prefix/caller" \
       -L"$prefix/bin" -lTarnex -lQuodel -Wl,-rpath,"$prefix/bin"; then
  echo "a C caller does not build on the installed headers" >&2
  exit 1
fi
"$prefix/caller" || { echo "the C caller built on the installed tree failed" >&2; exit 1; }

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
