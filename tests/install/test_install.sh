#!/usr/bin/env bash
# Installs a build under a fresh prefix, twice, and checks what a user gets:
# the self-contained folder with a working Zolt.mdb that a second install
# leaves alone, the launcher naming the installed zoltwin, the icon.
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" > /dev/null
folder="$prefix/zolt"
for f in zoltwin zolt-batch Zolt.mdb doc/guide.md doc/images/main-payment.png; do
  [ -f "$folder/$f" ] || fail "$folder/$f is not installed"
done
[ -x "$folder/zoltwin" ] || fail "zoltwin is not executable"
"$folder/zolt-batch" --version | grep -qx "Zolt [0-9][0-9.]*" || fail "the installed zolt-batch has no version"

sqlite3 "$folder/Zolt.mdb" "INSERT INTO VERIFY (NUMBER) VALUES ('KEPT')" || fail "the installed Zolt.mdb has no VERIFY table"
cmake --install "$build" --prefix "$prefix" > /dev/null
[ "$(sqlite3 "$folder/Zolt.mdb" "SELECT NUMBER FROM VERIFY")" = KEPT ] || fail "a second install replaced Zolt.mdb"

desktop="$prefix/share/applications/zolt.desktop"
[ -f "$desktop" ] || fail "no launcher"
grep -qx "Exec=\"$folder/zoltwin\"" "$desktop" || fail "the launcher does not start the installed zoltwin: $(grep Exec "$desktop")"
grep -qx "Icon=zolt" "$desktop" || fail "the launcher names no icon"
[ -f "$prefix/share/icons/hicolor/scalable/apps/zolt.svg" ] || fail "no icon"
echo "installed and checked under $prefix"
