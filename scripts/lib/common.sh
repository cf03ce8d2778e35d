# Shared by the project's scripts: where things are, how the trees are built, and the Wine session
# (private prefix, persistent wineserver, virtual display) that Windows programs run in.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD="$ROOT/build"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
# A separate prefix (and so a separate wineserver) can be named for parallel sessions.
export WINEPREFIX="${CORVALE_WINEPREFIX:-$BUILD/wineprefix}"
export WINEDEBUG=-all
export WINEARCH=win64

# configure_tree NAME [cmake args...]: configures build/NAME with Ninja (quick when it already is).
configure_tree() {
  local name=$1; shift
  cmake -S "$ROOT" -B "$BUILD/$name" -G Ninja "$@" >"$BUILD/$name.configure.log" 2>&1 || {
    cat "$BUILD/$name.configure.log"; return 1; }
}

# build_trees [targets...]: native first (its tools generate data for the Windows trees), then the
# Windows x86_64 tree and the shipped i686 tree.
build_trees() {
  mkdir -p "$BUILD"
  configure_tree native || return 1
  ninja -C "$BUILD/native" "$@" || return 1
  local tree
  for tree in x86_64 i686; do
    configure_tree "win-$tree" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$tree.cmake" \
      -DCORVALE_HOST_TOOLS_DIR="$BUILD/native/tools" || return 1
    ninja -C "$BUILD/win-$tree" "$@" || return 1
  done
}

WINE_SESSION_PIDS=()
WINE_READY_MARK="$WINEPREFIX/.corvale-ready-5"
WINE_PROBE="$BUILD/prefix-probe/prefix_probe.exe"

# wine_call SECONDS COMMAND...: a Wine call that gives up instead of waiting for ever on a server
# that no longer answers. In the foreground, so that an interrupt from the terminal still reaches it.
wine_call() {
  local seconds=$1; shift
  timeout --foreground -k 5 "$seconds" "$@" </dev/null
}

# Starts a virtual display when there is none, then a session in the private prefix: whatever an
# earlier run left in the prefix is ended, the prefix is trusted only when a program built like
# ours runs in it (otherwise it is made again from scratch, with no Mono or Gecko installer
# dialogs), and one wineserver persists for the whole session.
start_wine_session() {
  trap stop_wine_session EXIT
  trap 'stop_wine_session; exit 130' INT TERM
  build_wine_probe || return 1
  if [ -z "${DISPLAY:-}" ]; then
    local fifo number=''; fifo=$(mktemp -u); mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    WINE_SESSION_PIDS+=($!)
    read -r -t 30 number <"$fifo" || true; rm -f "$fifo"
    [ -n "$number" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$number"
  fi
  end_wine_prefix_processes
  if [ -f "$WINE_READY_MARK" ] && begin_wine_server && probe_wine_prefix; then
    return 0
  fi
  [ ! -f "$WINE_READY_MARK" ] || echo "Wine prefix $WINEPREFIX failed its check: making it again" >&2
  end_wine_prefix_processes
  make_wine_prefix && begin_wine_server && return 0
  echo "could not make a working Wine prefix in $WINEPREFIX" >&2
  end_wine_prefix_processes
  return 1
}

stop_wine_session() {
  wine_call 30 "$WINESERVER" -k >/dev/null 2>&1 || true
  local pid
  for pid in "${WINE_SESSION_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  WINE_SESSION_PIDS=()
}

# The probe is compiled here rather than in a tree, so that a session needs no tree built.
build_wine_probe() {
  local source="$ROOT/scripts/lib/prefix_probe.c"
  [ "$WINE_PROBE" -nt "$source" ] && return 0
  mkdir -p "$(dirname "$WINE_PROBE")"
  # Written under a name of its own and then moved: parallel sessions may build it at once.
  x86_64-w64-mingw32-gcc-posix -O2 -s -Wall -Wextra -o "$WINE_PROBE.$$" "$source" &&
    mv -f "$WINE_PROBE.$$" "$WINE_PROBE"
}

probe_wine_prefix() {
  wine_call 60 "$WINE" "$WINE_PROBE" >/dev/null
}

# An interrupted run can leave its wineserver behind: persistent, stopped (nothing started in it
# gets an answer), or holding a session boot that was cut off, whose end every later Wine process
# waits five minutes for.
end_wine_prefix_processes() {
  [ -d "$WINEPREFIX" ] || return 0
  wine_call 30 "$WINESERVER" -k >/dev/null 2>&1 || true
  # What -k cannot reach: a server it could not kill or one of another Wine build (its socket is
  # elsewhere), both holding the prefix folder open, and the programs of a server that was killed
  # outright (they stay, cut off from it).
  local folder pids pid
  folder=$(cd "$WINEPREFIX" && pwd -P)
  pids=$(
    find /proc/[0-9]*/fd -maxdepth 1 -lname "$folder" 2>/dev/null | cut -d/ -f3
    for pid in $(grep -lzxF "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3); do
      case $(basename "$(readlink "/proc/$pid/exe")") in wine*) echo "$pid" ;; esac
    done) || true
  [ -z "$pids" ] || kill -9 $pids 2>/dev/null || true
  return 0
}

# The ready mark is written only when every step succeeded and the probe ran, so a setup that
# stopped midway is made again by the next session.
make_wine_prefix() {
  rm -rf "$WINEPREFIX"
  WINEDLLOVERRIDES="mscoree,mshtml=" wine_call 600 "$WINE" wineboot -i >/dev/null 2>&1 || return 1
  # Wine paints non-client areas itself only when the X11 window manager does not decorate:
  # a skinned frame would be invisible otherwise.
  wine_call 60 "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 || return 1
  # Unmanaged windows: with no window manager on the virtual display, Wine would otherwise wait
  # two seconds for one each time a top-level window is hidden or destroyed.
  wine_call 60 "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || return 1
  # The embedded web browser needs the HTML engine registered (its document class and the about:
  # protocol), which the boot above skipped. Without Gecko, the engine runs the add-on installer
  # and waits for it, and the installer may offer a download in a dialog: disabled, it ends at
  # once and pages stay blank instead.
  wine_call 60 "$WINE" reg add 'HKCU\Software\Wine\DllOverrides' /v appwiz.cpl /t REG_SZ /d '' /f >/dev/null 2>&1 || return 1
  wine_call 120 "$WINE" regsvr32 /s mshtml.dll >/dev/null 2>&1 || return 1
  probe_wine_prefix || return 1
  # The registry reaches the disk when the server ends.
  wine_call 120 "$WINESERVER" -w || return 1
  touch "$WINE_READY_MARK"
}

# The server is started with nothing attached: it outlives a run that is killed outright, and
# would otherwise hold that run's output open for whoever reads it.
begin_wine_server() {
  wine_call 10 "$WINESERVER" -p >/dev/null 2>&1 || return 1
  # The first Wine process of a session starts Wine's own background processes (services,
  # device drivers), which inherit its standard handles and outlive it. Started here with nothing
  # attached, they stay up for the session instead of holding a test runner's output pipe open.
  wine_call 300 "$WINE" wineboot >/dev/null 2>&1
}
