#!/usr/bin/env bash
# Prints the non-blank, non-comment lines of program code (src/) and of test
# code (tests/, every language), and the ratio of the two. Documentation
# (readme.txt) and binary files are not code and are not counted.
set -euo pipefail
cd "$(dirname "$0")/.."

# Lines of one tree: // and /* */ comments in C-like files (.cpp .h .rc),
# "#" comments in scripts and CMake files.
count() {
  git ls-files --cached --others --exclude-standard -- "$1" |
    grep -vE '(^|/)readme\.txt$|\.(ico|png|bmp|vdl)$' |
    while read -r f; do
      case "$f" in
        *.cpp|*.h|*.rc) awk '
            /^[ \t]*$/ { next }
            inblock { if ($0 ~ /\*\//) inblock = 0; next }
            /^[ \t]*\/\*/ { if ($0 !~ /\*\//) inblock = 1; next }
            /^[ \t]*\/\// { next }
            { n++ } END { print n + 0 }' "$f" ;;
        *) awk '/^[ \t]*$/ || /^[ \t]*#/ { next } { n++ } END { print n + 0 }' "$f" ;;
      esac
    done | awk '{ s += $1 } END { print s + 0 }'
}

code=$(count src)
tests=$(count tests)
echo "program code (src/): $code lines"
echo "test code (tests/):  $tests lines"
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests / code:        %.0f %%\n", 100 * t / c }'
