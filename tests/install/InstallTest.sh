#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed program
# as a user would, with HOME and the XDG folders in a temporary place:
#  - every file of an installation is in place, and the desktop files pass
#    their checkers once installed;
#  - the installed program finds its data (the command line codes words from
#    the installed words.dat, lists a word column and finds best phrases);
#  - started offscreen and ended with SIGTERM, it writes its configuration
#    into $XDG_CONFIG_HOME/tessaloquine (or ~/.config/tessaloquine when the
#    variable is unset) and nothing under the prefix;
#  - the same holds after the prefix has been moved somewhere else;
#  - installed into the home folder itself (--prefix ~/.local), where the
#    user's data folder is the shipped folder, it still reads the user's
#    words.txt kept there.
#
#   InstallTest.sh <build folder>
set -euo pipefail

build="$1"
work="$(mktemp -d "${TMPDIR:-/tmp}/tq-install-XXXXXX")"
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
check() {  # check <what> <command...>
  local what="$1"
  shift
  "$@" || fail "$what"
}

id=com.hollowmere.Tessaloquine
DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >"$work/install.log"
prefix="$work/stage/usr"

for f in bin/Tessaloquine share/tessaloquine/words.dat share/tessaloquine/wordinfo.dat share/tessaloquine/mapping.txt \
  "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" share/mime/packages/tessaloquine.xml \
  "share/icons/hicolor/scalable/apps/$id.svg"; do
  check "installed $f" test -f "$prefix/$f"
done
for size in 16 22 24 32 48 64 128 256; do
  check "icon ${size}x${size}" test -s "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
done
check "installed desktop file is valid" desktop-file-validate "$prefix/share/applications/$id.desktop"

# The worksheet type: shared-mime-info compiles our package, with the
# extension and the header line.
mkdir -p "$work/mime/packages"
cp "$prefix/share/mime/packages/tessaloquine.xml" "$work/mime/packages/"
check "mime package compiles" update-mime-database "$work/mime"
check "worksheets by extension" grep -q 'application/x-tessaloquine-worksheet:\*\.tqw' "$work/mime/globs2"
check "worksheets by header" grep -aq '#Tessaloquine' "$work/mime/magic"

# A fingerprint of the prefix: every path with its bytes and times.
fingerprint() {
  (cd "$1" && find . -printf '%p %y %s %T@\n' | sort && find . -type f -exec sha256sum {} + | sort)
}

# run_installed <prefix> <label> [VAR=value...]: the command line, then the
# window started offscreen and closed by SIGTERM, with the given environment.
run_installed() {
  local where="$1" label="$2"
  shift 2
  local home="$work/$label/home"
  mkdir -p "$home"
  local before
  before="$(fingerprint "$where")"
  local -a env=(env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_CONFIG_HOME -u XDG_DATA_HOME "HOME=$home" "$@")

  local out
  out="$("${env[@]}" QT_QPA_PLATFORM=xcb "$where/bin/Tessaloquine" --code tree tough 2>"$work/$label.err")" ||
    fail "$label: --code exited with $? ($(cat "$work/$label.err"))"
  [ "$out" = $'tree\t14\ntough\t18' ] || fail "$label: --code printed '$out'"
  out="$("${env[@]}" QT_QPA_PLATFORM=xcb "$where/bin/Tessaloquine" --words 14 2>/dev/null | head -n 1)"
  [ "$out" = "14" ] || fail "$label: --words 14 began with '$out'"
  out="$("${env[@]}" QT_QPA_PLATFORM=xcb "$where/bin/Tessaloquine" --best 14 --count 3 2>/dev/null | wc -l)"
  [ "$out" -ge 1 ] && [ "$out" -le 3 ] || fail "$label: --best 14 --count 3 printed $out lines"

  local config="$home/.config/tessaloquine"
  for a in "$@"; do
    case "$a" in XDG_CONFIG_HOME=*) config="${a#XDG_CONFIG_HOME=}/tessaloquine" ;; esac
  done
  # The window shows about three seconds after the start; a signal before
  # that ends the run with nothing to keep, so a busy machine gets a second,
  # longer try.
  local wait_seconds
  for wait_seconds in 7 20; do
    "${env[@]}" QT_QPA_PLATFORM=offscreen XDG_CACHE_HOME="$work/$label/cache" \
      "$where/bin/Tessaloquine" >"$work/$label.gui.out" 2>&1 &
    local pid=$!
    sleep "$wait_seconds"
    kill -TERM "$pid" 2>/dev/null || fail "$label: the program was gone before SIGTERM"
    local status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "$label: the window run ended with status $status: $(cat "$work/$label.gui.out")"
    [ -s "$config/Tessaloquine.cfg" ] && break
  done

  [ "$(fingerprint "$where")" = "$before" ] || fail "$label: something under the prefix changed"
  check "$label: configuration in $config" test -s "$config/Tessaloquine.cfg"
  # Our files nowhere else: no configuration, words.txt or mapping.txt
  # outside the configuration folder, and nothing at all beside the program.
  local stray
  stray="$(find "$work/$label" "$where" \( -name Tessaloquine.cfg -o -name words.txt -o -name mapping.txt \) \
    -not -path "$config/*" -not -path "$where/share/tessaloquine/mapping.txt")"
  [ -z "$stray" ] || fail "$label: files written outside the XDG folders: $stray"
}

run_installed "$prefix" xdg "XDG_CONFIG_HOME=$work/xdg/xdg-config" "XDG_DATA_HOME=$work/xdg/xdg-data"
run_installed "$prefix" home

# A moved prefix finds its data beside its program all the same.
mkdir -p "$work/moved/opt"
mv "$prefix" "$work/moved/opt/tessaloquine"
run_installed "$work/moved/opt/tessaloquine" moved "XDG_CONFIG_HOME=$work/moved/xdg-config"

# Installed into the home folder: ~/.local/share/tessaloquine is both the
# shipped folder and the user's. A words.txt an earlier version kept there
# is still read.
athome="$work/athome/home"
cmake --install "$build" --prefix "$athome/.local" >"$work/install-athome.log"
printf '#ADD\n#REMOVE\n#EDIT\ntough\n77\n' >"$athome/.local/share/tessaloquine/words.txt"
out="$(env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_CONFIG_HOME -u XDG_DATA_HOME "HOME=$athome" QT_QPA_PLATFORM=xcb \
  "$athome/.local/bin/Tessaloquine" --code tough 2>"$work/athome.err")" ||
  fail "athome: --code exited with $? ($(cat "$work/athome.err"))"
[ "$out" = $'tough\t77' ] || fail "athome: --code printed '$out'"

if [ "$failures" -ne 0 ]; then
  echo "$failures install checks failed" >&2
  exit 1
fi
echo "install test passed"
