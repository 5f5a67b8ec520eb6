#!/usr/bin/env bash
# Every picture the manual names is in docs/img and every picture there is named; those the program's
# windows make (all but the Windows one, which scripts/test-windows takes) still match the windows.
set -euo pipefail
docs=$1
tool=$2
fail=0

named=$(grep -o '](img/[^)]*)' "$docs/podrecznik.md" | sed 's/^](img\///; s/)$//' | sort -u)
for name in $named; do
    [ -f "$docs/img/$name" ] || { echo "FAIL: podrecznik.md names img/$name, which is not in docs/img" >&2; fail=1; }
done
for f in "$docs"/img/*; do
    grep -qxF "$(basename "$f")" <<<"$named" || { echo "FAIL: docs/img/$(basename "$f") is not in podrecznik.md" >&2; fail=1; }
done

# The fonts the pictures are drawn with; scripts/deps.sh installs them.
if [ "$fail" = 0 ] && [ ! -f /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf ]; then
    echo "SKIP pictures: fonts-dejavu-core is not installed"
    exit 77
fi
"$tool" --check "$docs/img" || fail=1
exit $fail
