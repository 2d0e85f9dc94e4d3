#!/bin/sh
# The install layout: `cmake --install` of the build folder into an empty prefix under DESTDIR,
# the installed files validated, and the installed programs run as a new user would run them.
#
#   CheckInstall.sh BUILD_DIR WITH_GUI(0|1)
set -eu
build="$1"
gui="$2"
work=$(mktemp -d "${TMPDIR:-/tmp}/zentro-install-XXXXXX")
window=""
cleanup() {
  [ -n "$window" ] && kill "$window" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT INT TERM
fail() { echo "CheckInstall: $*" >&2; exit 1; }

prefix=/opt/zentro-test
DESTDIR="$work/dest" cmake --install "$build" --prefix "$prefix" >"$work/install.log" ||
  { cat "$work/install.log"; fail "cmake --install failed"; }
root="$work/dest$prefix"

# Every file of the layout.
need() { [ -e "$root/$1" ] || fail "missing after install: $1"; }
need bin/zentroctl
for f in config.bin config0.bin config1.bin config2.bin config3.bin config4.bin config5.bin \
         str.ini str0.ini str1.ini str2.ini str3.ini str4.ini str5.ini record.ini; do
  need "share/zentro-mouse/$f"
done
need share/man/man1/zentroctl.1.gz
need share/doc/zentro-mouse/copyright
need share/doc/zentro-mouse/changelog.gz
gzip -t "$root/share/man/man1/zentroctl.1.gz" || fail "zentroctl.1.gz is not gzip"
grep -q '^License: Expat$' "$root/share/doc/zentro-mouse/copyright" || fail "copyright without its licence"
need lib/udev/rules.d/70-zentro-mouse.rules
grep -q 'TAG+="uaccess"' "$root/lib/udev/rules.d/70-zentro-mouse.rules" || fail "udev rule without uaccess"
[ "$(wc -c <"$root/share/zentro-mouse/config0.bin")" -eq 1791 ] || fail "config0.bin is not 1791 bytes"
if [ "$gui" = 1 ]; then
  need bin/zentro-mouse
  need share/zentro-mouse/Skins/main.png
  need share/applications/zentro-mouse.desktop
  need share/metainfo/io.github.zentro_mouse.metainfo.xml
  need share/man/man1/zentro-mouse.1.gz
  for size in 16 22 24 32 36 48 64 72 96 128 192 256 512; do
    need "share/icons/hicolor/${size}x${size}/apps/zentro-mouse.png"
  done
  need share/icons/hicolor/scalable/apps/zentro-mouse.svg
  grep -q '<svg' "$root/share/icons/hicolor/scalable/apps/zentro-mouse.svg" || fail "scalable icon is not SVG"
  command -v desktop-file-validate >/dev/null || fail "desktop-file-validate is missing (scripts/install-deps.sh installs it)"
  command -v appstreamcli >/dev/null || fail "appstreamcli is missing (scripts/install-deps.sh installs it)"
  desktop-file-validate "$root/share/applications/zentro-mouse.desktop" || fail "desktop file not valid"
  grep -q '^Categories=.*Settings;.*HardwareSettings;' "$root/share/applications/zentro-mouse.desktop" ||
    fail "desktop file not in the settings and hardware categories"
  appstreamcli validate --no-net "$root/share/metainfo/io.github.zentro_mouse.metainfo.xml" ||
    fail "metainfo not valid"
fi

# A new user with a German locale: the first run seeds ~/.config/zentro-mouse in German.
home="$work/home"
runtime="$work/runtime"
mkdir -p "$home" "$runtime"
chmod 700 "$runtime"
ctl() {
  env -i PATH="/usr/bin:/bin" HOME="$home" LANG=de_DE.UTF-8 XDG_RUNTIME_DIR="$runtime" \
    "$root/bin/zentroctl" "$@"
}
out=$(ctl profile list) || fail "profile list failed"
[ "$out" = "0 Profile 1 (current)" ] || fail "profile list printed: $out"
grep -q '^Lan=DE' "$home/.config/zentro-mouse/str0.ini" || fail "user folder not seeded in German"
cmp -s "$root/share/zentro-mouse/config3.bin" "$home/.config/zentro-mouse/config3.bin" ||
  fail "config3.bin not seeded"

# select --apply against the simulated mouse, traced: connect exchange first, lighting last.
ctl --device simulated --trace "$work/select.trace" profile select 0 --apply >/dev/null ||
  fail "profile select 0 --apply failed"
head -n 1 "$work/select.trace" | grep -q '^set-feature 00 80' || fail "no connect exchange in the trace"
grep '^set-feature' "$work/select.trace" | tail -n 1 | grep -q '^set-feature 00 0d' ||
  fail "the trace does not end with the lighting"
[ "$(grep -c '^write ' "$work/select.trace")" -eq 58 ] || fail "not the whole apply sequence in the trace"

# Bad input: one line, non-zero status.
if ctl profile select 4 2>"$work/err"; then fail "profile select 4 succeeded"; fi
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "more than one line for a bad profile: $(cat "$work/err")"

# The installed window without a display: one line saying so, status 1 (not Qt's abort).
if [ "$gui" = 1 ]; then
  for case in "|no display found" ":7391|cannot open the display :7391"; do
    display="${case%%|*}"
    said="${case#*|}"
    status=0
    env -i PATH="/usr/bin:/bin" HOME="$home" XDG_RUNTIME_DIR="$runtime" DISPLAY="$display" \
      "$root/bin/zentro-mouse" >"$work/nodisplay.out" 2>"$work/nodisplay.err" || status=$?
    err=$(cat "$work/nodisplay.err")
    [ "$status" -eq 1 ] || fail "without the display '$display' the window ended with $status: $err"
    [ "$(wc -l <"$work/nodisplay.err")" -eq 1 ] && [ ! -s "$work/nodisplay.out" ] ||
      fail "without the display '$display' not one line: $err"
    case "$err" in
      *"$said"*xvfb-run*) ;;
      *) fail "without the display '$display': $err" ;;
    esac
  done
fi

# The installed window: starts from its user folder and skin, takes the hand-over.
if [ "$gui" = 1 ]; then
  env -i PATH="/usr/bin:/bin" HOME="$home" LANG=de_DE.UTF-8 XDG_RUNTIME_DIR="$runtime" \
    QT_QPA_PLATFORM=offscreen ZENTRO_DEVICE=simulated "$root/bin/zentro-mouse" \
    >"$work/window.log" 2>&1 &
  window=$!
  tries=0
  until [ -S "$runtime/ZENTRO_Mutex" ]; do
    tries=$((tries + 1))
    [ $tries -le 300 ] || { cat "$work/window.log"; fail "the installed window did not start"; }
    kill -0 "$window" 2>/dev/null || { cat "$work/window.log"; fail "the installed window ended"; }
    sleep 0.1
  done
  out=$(ctl profile select 0) || fail "hand-over to the window failed"
  case "$out" in
    *"running window"*) ;;
    *) fail "select was not handed to the window: $out" ;;
  esac
fi
echo "CheckInstall: install layout and installed programs OK"
