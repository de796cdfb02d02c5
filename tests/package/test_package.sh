#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root and starts the installed program
# there in a fresh user's data folder: the first start copies the templates and the schema,
# creates ru2016.fdb with its buyer when asked, and shows the main window. Under Xvfb the
# screen is photographed into the screenshots folder.
#
# Usage: test_package.sh BUILD_DIR SCREENSHOT_DIR. Exits 77 (skipped) without cpack or dpkg-deb.
set -euo pipefail
build="$1"
shots="$2"

for tool in cpack dpkg-deb; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed; the Debian package cannot be built here"
    exit 77
  fi
done

work="$(mktemp -d "${TMPDIR:-/tmp}/zeror-package.XXXXXX")"
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -TERM "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

echo "== cpack"
# The package is made of what the build has already made.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) \
  || { cat "$work/cpack.log"; fail "cpack failed"; }
deb="$(ls "$work"/out/*.deb 2>/dev/null | head -n1)"
[ -n "$deb" ] || { cat "$work/cpack.log"; fail "no .deb was made"; }
echo "package: $(basename "$deb")"

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
for need in firebird3.0-server-core libqt6widgets6 qt6-qpa-plugins; do
  grep -q "$need" <<<"$depends" || fail "the package does not depend on $need"
done

echo "== dpkg -x"
root="$work/root"
dpkg-deb -x "$deb" "$root"
for f in usr/bin/zeror usr/bin/zeror-export usr/bin/zeror-initdb \
         usr/share/applications/zeror.desktop usr/share/icons/hicolor/scalable/apps/zeror.svg \
         usr/share/zeror/templates/FjLista2.frf usr/share/zeror/templates/23_2014_szamlasema.xsd; do
  [ -e "$root/$f" ] || fail "the package lacks /$f"
done
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$root/usr/share/applications/zeror.desktop" || fail "the menu entry is not valid"
fi
grep -q '^Exec=zeror --user-folder$' "$root/usr/share/applications/zeror.desktop" || fail "the menu entry does not start in the user folder"

help="$("$root/usr/bin/zeror-export" --help)" || fail "the installed zeror-export does not answer --help"
grep -q "Usage: zeror-export" <<<"$help" || fail "the installed zeror-export has no English help"

echo "== first start of the installed program"
home="$work/home"
mkdir -p "$home"
log="$work/zeror.log"
export HOME="$home" XDG_DATA_HOME="$home/.local/share"
export ZEROR_SCRIPTED_DIALOGS=1 ZEROR_SCRIPTED_ANSWERS=yes
unset ZEROR_DATABASE
shot=""
if command -v xvfb-run >/dev/null 2>&1 && command -v import >/dev/null 2>&1; then
  # A display of our own; the program runs in it until photographed.
  unset QT_QPA_PLATFORM
  mkdir -p "$shots"
  shot="$shots/package-first-start.png"
  xvfb-run -a -s "-screen 0 1024x720x24" bash -c '
    "$1" --user-folder --no-splash >"$2" 2>&1 &
    p=$!
    for i in $(seq 1 300); do grep -q "zeror: ready" "$2" && break; kill -0 $p 2>/dev/null || break; sleep 0.1; done
    grep -q "zeror: ready" "$2" || { kill -TERM $p 2>/dev/null; wait $p; exit 3; }
    sleep 1
    import -window root "$3"
    kill -TERM $p
    wait $p
  ' _ "$root/usr/bin/zeror" "$log" "$shot" || { cat "$log"; fail "the installed program did not show its window and end cleanly"; }
else
  export QT_QPA_PLATFORM=offscreen
  "$root/usr/bin/zeror" --user-folder --no-splash >"$log" 2>&1 &
  pid=$!
  for i in $(seq 1 300); do grep -q "zeror: ready" "$log" && break; kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  grep -q "zeror: ready" "$log" || { cat "$log"; fail "the installed program did not come up"; }
  kill -TERM "$pid"; wait "$pid" || { cat "$log"; fail "the installed program did not end cleanly"; }
  pid=""
fi
cat "$log"

data="$home/.local/share/zeror"
[ -f "$data/ru2016.fdb" ] || fail "the first start did not create ru2016.fdb in $data"
[ -f "$data/FjLista2.frf" ] || fail "the first start did not copy the templates to $data"
[ -f "$data/23_2014_szamlasema.xsd" ] || fail "the first start did not copy the schema to $data"
grep -q "Létrehozza most az ru2016.fdb" "$log" || fail "the first start did not offer to create the database"
if [ -f "$root/usr/share/doc/zeror/sugo.pdf" ]; then
  [ -f "$data/sugo.pdf" ] || fail "the first start did not copy the manual"
fi

echo "== the installed tool on the new database"
mkdir -p "$work/text"
"$root/usr/bin/zeror-export" --database "$data/ru2016.fdb" text --output "$work/text" >/dev/null \
  || fail "the installed zeror-export could not export the new database"
[ -s "$work/text/atvevo.txt" ] || fail "the buyer of the new database was not exported"
[ -z "$shot" ] || echo "screenshot: $shot"
echo "PASS"
