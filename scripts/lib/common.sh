# Shared by the scripts: build folders, the Wine prefix, and a virtual display that is ours alone.
# Sourced, not run. Everything started here is stopped by stop_started (trap it on EXIT).

TOLLWARD_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD_NATIVE="$TOLLWARD_ROOT/build/native"
BUILD_WINDOWS="$TOLLWARD_ROOT/build/windows"
BUILD_SANITIZE="$TOLLWARD_ROOT/build/sanitize"
BUILD_FUZZ="$TOLLWARD_ROOT/build/fuzz"
export WINEPREFIX="$BUILD_WINDOWS/wineprefix"
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko: they would be fetched from the network, which the program never needs.
# RASAPI32 is the RAS stand-in that start_wine puts into the prefix's system folder, in place of
# Wine's empty stub.
export WINEDLLOVERRIDES="mscoree,mshtml=;rasapi32=n"
RAS_STAND_IN="$BUILD_WINDOWS/tools/rasemu/rasapi32.dll"

JOBS=$(nproc 2>/dev/null || echo 2)

configure_and_build() {  # folder, extra cmake arguments...
  local dir=$1
  shift
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$TOLLWARD_ROOT" -B "$dir" "$@" >"$dir.configure.log" 2>&1 ||
      { cat "$dir.configure.log"; return 1; }
  fi
  cmake --build "$dir" -j"$JOBS" >"$dir.build.log" 2>&1 ||
    { grep -E 'error|Error' "$dir.build.log" | head -40; return 1; }
}

build_native() {
  mkdir -p "$TOLLWARD_ROOT/build"
  configure_and_build "$BUILD_NATIVE" -DCMAKE_BUILD_TYPE=RelWithDebInfo
}

# The native suite once more with AddressSanitizer and UndefinedBehaviorSanitizer; any report
# ends the process with an error, so a finding fails the suite.
build_sanitize() {
  mkdir -p "$TOLLWARD_ROOT/build"
  configure_and_build "$BUILD_SANITIZE" -DCMAKE_BUILD_TYPE=Debug -DTOLLWARD_SANITIZE=ON
}

# The libFuzzer targets and their seed generator; libFuzzer comes with clang only.
build_fuzz() {
  mkdir -p "$TOLLWARD_ROOT/build"
  CC=clang CXX=clang++ configure_and_build "$BUILD_FUZZ" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTOLLWARD_FUZZ=ON
}

build_windows() {
  mkdir -p "$TOLLWARD_ROOT/build"
  configure_and_build "$BUILD_WINDOWS" -DCMAKE_TOOLCHAIN_FILE="$TOLLWARD_ROOT/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release
}

STARTED_XVFB=""
STARTED_WINESERVER=""

# A display number nobody uses, so that parallel runs and a user's desktop are never touched.
start_display() {
  local n=91
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  STARTED_XVFB=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

start_wine() {
  if [ ! -f "$WINEPREFIX/.tollward-ready" ]; then
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    # Without a window manager Wine's managed windows close late and lack a title bar.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # The real "MS Sans Serif" makes dialog units come out as on Windows.
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    wineserver -w
    touch "$WINEPREFIX/.tollward-ready"
  fi
  place_ras_stand_in || return 1
  wineserver -p
  STARTED_WINESERVER=1
}

# The one place that knows where the RAS stand-in goes: where the system keeps its own RASAPI32,
# the prefix's system32, because the program loads it from the system folder only. A copy beside
# a program is never used; the one older runs left beside the test programs goes.
place_ras_stand_in() {
  local system32="$WINEPREFIX/drive_c/windows/system32"
  if [ ! -f "$RAS_STAND_IN" ]; then
    echo "the RAS stand-in is not built ($RAS_STAND_IN)" >&2
    return 1
  fi
  rm -f "$BUILD_WINDOWS/rasapi32.dll"
  cmp -s "$RAS_STAND_IN" "$system32/rasapi32.dll" && return 0
  # Renamed into place, so that a process that still maps the old file keeps its copy.
  cp "$RAS_STAND_IN" "$system32/rasapi32.dll.new" && mv -f "$system32/rasapi32.dll.new" "$system32/rasapi32.dll"
}

# The user's phonebook folder of the prefix, %APPDATA%\Microsoft\Network\Connections\Pbk, where
# the RAS stand-in looks by default and Tollward watches for changes. Needs start_wine.
user_phonebook_folder() {
  local appdata
  appdata=$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')
  appdata=$(winepath -u "$appdata" 2>/dev/null) && [ -n "$appdata" ] || return 1
  echo "$appdata/Microsoft/Network/Connections/Pbk"
}

# Makes the user's phonebook folder a link to FOLDER, so that FOLDER/rasphone.pbk is the
# phonebook. A link to the file alone would not do: the system reports the writes to a file to
# the folder that holds it. Prints what the link pointed to before (nothing if there was none).
link_user_phonebook() {  # folder
  local pbk
  pbk=$(user_phonebook_folder) || return 1
  mkdir -p "$(dirname "$pbk")" || return 1
  if [ -d "$pbk" ] && [ ! -L "$pbk" ]; then
    rmdir "$pbk" 2>/dev/null || { echo "$pbk holds files of its own; left alone" >&2; return 1; }
  fi
  readlink "$pbk" 2>/dev/null
  ln -sfn "$1" "$pbk"
}

stop_started() {
  if [ -n "$STARTED_WINESERVER" ]; then
    wineserver -k >/dev/null 2>&1 || true
    STARTED_WINESERVER=""
  fi
  if [ -n "$STARTED_XVFB" ]; then
    kill "$STARTED_XVFB" 2>/dev/null || true
    wait "$STARTED_XVFB" 2>/dev/null || true
    STARTED_XVFB=""
  fi
}
