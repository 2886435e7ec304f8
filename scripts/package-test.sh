#!/usr/bin/env bash
# The package as a plant would get it, without installing it on this machine: built, checked
# (lintian, desktop-file-validate, appstreamcli), unpacked with dpkg-deb -x into a temporary
# root, and its falqsetup run from there (--help, --version, and a demo in the default plant
# root of a user with an empty home).
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(bash scripts/package.sh | tail -n 1)
echo "package: $deb"
work=$(mktemp -d /tmp/falqpkg.XXXXXX)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
for f in "$work"/root/usr/share/applications/*.desktop; do desktop-file-validate "$f"; done
appstreamcli validate --no-net --explain "$work"/root/usr/share/metainfo/*.metainfo.xml
lintian --fail-on error --suppress-tags-from-file packaging/lintian-suppressed "$deb" || {
  echo "lintian found errors" >&2; exit 1; }
for p in falquinas clivalida falqadmin falqsetup; do
  test -x "$work/root/usr/bin/$p"
  test -f "$work/root/usr/share/man/man1/$p.1.gz"
  "$work/root/usr/bin/$p" --version | grep -q "01\."
done
test -f "$work"/root/usr/lib/falquinas/libvelmora.so
test -s "$work"/root/usr/share/falquinas/Falquinas.pdf
"$work/root/usr/bin/falqsetup" --help | grep -q backup
mkdir -p "$work/home"
env -u VELMORA_ROOT HOME="$work/home" "$work/root/usr/bin/falqsetup" demo >/dev/null
test -f "$work/home/.local/share/velmora/aliases.ini"
test -f "$work/home/.local/share/velmora/dados/falquinas.db"
echo "package test passed"
