#!/usr/bin/env bash
# Sets everything up and starts the program in its work folder.
# The work folder (default ~/zeror) holds ru2016.fdb and the report templates;
# the database is created with a demo sample when it is missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build="${BUILD_DIR:-$root/build}"
work="${ZEROR_WORKDIR:-$HOME/zeror}"
mkdir -p "$work"
# Templates are refreshed when the shipped copy is newer than the work copy.
for t in "$root"/templates/*.frf; do
  [ -e "$t" ] || continue
  cp -u "$t" "$work/"
done
# The settings files (form9.ini, form10.ini: the optional fields of the ticket screens shown) are
# put there once; the operator's own changes are never overwritten.
for t in "$root"/templates/*.ini; do
  [ -e "$t" ] || continue
  [ -e "$work/$(basename "$t")" ] || cp "$t" "$work/"
done
# The user manual, printed from docs/manual/sugo.md at build time, opened by "Segédlet / Sugó".
if [ -e "$build/sugo.pdf" ]; then
  cp -u "$build/sugo.pdf" "$work/"
fi
if [ ! -e "$work/ru2016.fdb" ]; then
  "$build/tools/zeror-initdb" --demo "$work/ru2016.fdb"
fi
cd "$work"
exec "$build/src/app/zeror" "$@"
