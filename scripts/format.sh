#!/usr/bin/env bash
# Checks that the C++ lines a change touches follow .clang-format.
#   scripts/format.sh [--fix] [BASE]
# BASE is the commit the change starts from (default HEAD: the uncommitted change). Without --fix
# it prints what clang-format would change and exits 1 if anything; with --fix it rewrites those lines.
# Exit statuses: 0 formatted, 1 lines to format, 2 wrong usage or clang-format missing.
set -euo pipefail
cd "$(dirname "$0")/.."

fix=0
base=HEAD
for arg in "$@"; do
  case "$arg" in
    --fix) fix=1 ;;
    -h|--help) sed -n '2,6s/^# \{0,1\}//p' "$0"; exit 0 ;;
    -*) echo "format.sh: unknown option $arg" >&2; exit 2 ;;
    *) base="$arg" ;;
  esac
done
if ! command -v git-clang-format >/dev/null; then
  echo "format.sh: git-clang-format is missing (Debian package clang-format)" >&2
  exit 2
fi
if ! git rev-parse --verify --quiet "$base^{commit}" >/dev/null; then
  echo "format.sh: $base is not a commit" >&2
  exit 2
fi

if [ "$fix" -eq 1 ]; then
  git-clang-format --force --quiet --extensions cpp,h "$base" >/dev/null || true
  exit 0
fi
out=$(git-clang-format --diff --extensions cpp,h "$base" || true)
case "$out" in
  ""|"no modified files to format"|"clang-format did not modify any files") exit 0 ;;
esac
printf '%s\n' "$out"
exit 1
