#!/bin/sh
# The Debian package: `cpack -G DEB` of the build folder, checked by Debian's own package
# checker, lintian, which must report no error and no warning. Where lintian is not installed
# (scripts/install-deps.sh installs it) the check says so and passes.
#
#   CheckPackage.sh BUILD_DIR
set -eu
build="$1"
if ! command -v lintian >/dev/null 2>&1; then
  echo "CheckPackage: lintian is not installed; the package is not checked"
  exit 0
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/zentro-package-XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
fail() { echo "CheckPackage: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work") >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack -G DEB failed"; }
set -- "$work"/zentro-mouse_*.deb
[ -f "$1" ] || { cat "$work/cpack.log"; fail "cpack made no package"; }
# Errors and warnings fail the check.
lintian --fail-on error,warning "$1" || fail "lintian found errors or warnings in $(basename "$1")"
echo "CheckPackage: $(basename "$1") is lintian-clean"
