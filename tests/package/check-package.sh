#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks a Debian package made by scripts/package: the files it holds, its menu entry and software
# centre entry against their validators, and that the program unpacked from it starts and ends
# cleanly. Usage: tests/package/check-package.sh <package.deb>
set -euo pipefail
deb=$(realpath "$1")
fixtures=$(realpath "$(dirname "$0")/../fixtures")
id=org.morvane.morvane
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() {
    echo "check-package: $*" >&2
    exit 1
}

files=(usr/bin/Morvane "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml"
    usr/share/icons/hicolor/scalable/apps/morvane.svg)
for size in 16 22 24 32 48 64 128 256; do
    files+=("usr/share/icons/hicolor/${size}x${size}/apps/morvane.png")
done
listing=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for f in "${files[@]}"; do
    grep -qxF "./$f" <<<"$listing" || fail "the package lacks /$f"
done
# The modules, in the library folder (Debian's has the architecture in it).
for module in morvane_soundpreview morvane_http; do
    grep -qE "^\./usr/lib/([^/]+/)?morvane/$module\.so\$" <<<"$listing" || fail "the package lacks the module $module.so"
done
outside=$(grep -v '^\./usr/' <<<"$listing" | grep -vx '\./' || true)
[ -z "$outside" ] || fail "the package installs outside /usr: $outside"
# Computed from the program's libraries, so an empty or hand-written list shows here.
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks the Qt libraries: $depends"
version=$(dpkg-deb -f "$deb" Version)

root=$work/root
dpkg -x "$deb" "$root"
entry=$root/usr/share/applications/$id.desktop
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the menu entry"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the software centre entry"
# The newest release the entry announces is the packaged one.
newest=$(grep -o -m1 '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)
[ "$newest" = "$version" ] || fail "the newest release in the metainfo is $newest, the package is $version"
exec=$(sed -n 's/^Exec=//p' "$entry")
[ "$exec" = /usr/bin/Morvane ] || fail "the menu entry starts \"$exec\", not /usr/bin/Morvane"

# The unpacked program with a game folder of its own, so that it asks for none, and no address
# lookup on the web.
home=$work/home
mkdir -p "$home" "$work/game" "$work/runtime"
chmod 700 "$work/runtime"
cp -r "$fixtures/game/." "$work/game/"
: >"$work/game/GhostRecon.exe"
printf '[Path]\r\nGhostReconPath=%s\r\n[StartUp]\r\nGetIP=0\r\n' "$work/game" >"$home/Morvane.ini"
env QT_QPA_PLATFORM=offscreen MORVANE_HOME="$home" XDG_RUNTIME_DIR="$work/runtime" HOME="$work" \
    XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" XDG_DATA_HOME="$work/data" \
    "$root/usr/bin/Morvane" >"$work/log" 2>&1 &
pid=$!
# The query template is the last file the start writes.
for _ in $(seq 300); do
    [ -S "$work/runtime/Morvane_Mutex" ] && [ -f "$home/Template.dat" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null || fail "the program ended during its start: $(cat "$work/log")"
[ -f "$home/Template.dat" ] || fail "the program did not finish its start in 30 s: $(cat "$work/log")"
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with $status on SIGTERM: $(cat "$work/log")"
# The normal end writes the frame's settings.
grep -q '^\[Morvane\]' "$home/Morvane.ini" || fail "the end did not save the settings: $(cat "$work/log")"
echo "package check passed: $deb"
