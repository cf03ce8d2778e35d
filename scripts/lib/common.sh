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

# Starts a virtual display when there is none, the private prefix (created once, with no Mono or
# Gecko installer dialogs), and a wineserver that persists for the whole session.
start_wine_session() {
  if [ -z "${DISPLAY:-}" ]; then
    local fifo; fifo=$(mktemp -u); mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    WINE_SESSION_PIDS+=($!)
    local number; read -r number <"$fifo"; rm -f "$fifo"
    export DISPLAY=":$number"
  fi
  if [ ! -f "$WINEPREFIX/.corvale-ready-5" ]; then
    rm -rf "$WINEPREFIX"
    WINEDLLOVERRIDES="mscoree,mshtml=" "$WINE" wineboot -i >/dev/null 2>&1
    # Wine paints non-client areas itself only when the X11 window manager does not decorate:
    # a skinned frame would be invisible otherwise.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
    # Unmanaged windows: with no window manager on the virtual display, Wine would otherwise wait
    # two seconds for one each time a top-level window is hidden or destroyed.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    # The embedded web browser needs the HTML engine registered (its document class and the about:
    # protocol), which the boot above skipped. Without Gecko, the engine runs the add-on installer
    # and waits for it, and the installer may offer a download in a dialog: disabled, it ends at
    # once and pages stay blank instead.
    "$WINE" reg add 'HKCU\Software\Wine\DllOverrides' /v appwiz.cpl /t REG_SZ /d '' /f >/dev/null 2>&1
    "$WINE" regsvr32 /s mshtml.dll >/dev/null 2>&1
    "$WINESERVER" -w
    touch "$WINEPREFIX/.corvale-ready-5"
  fi
  "$WINESERVER" -p
  # The first Wine process of a session starts Wine's own background processes (services,
  # device drivers), which inherit its standard handles and outlive it. Started here with nothing
  # attached, they stay up for the session instead of holding a test runner's output pipe open.
  "$WINE" wineboot >/dev/null 2>&1 </dev/null
  trap stop_wine_session EXIT
  trap 'stop_wine_session; exit 130' INT TERM
}

stop_wine_session() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  local pid
  for pid in "${WINE_SESSION_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  WINE_SESSION_PIDS=()
}
