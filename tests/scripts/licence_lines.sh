#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file says its licence in one SPDX line: the code is
# GPL-3.0-or-later, the adventures' sources CC-BY-SA-4.0.
set -euo pipefail
cd "$(dirname "$0")/../.."
command -v git >/dev/null && git rev-parse --git-dir >/dev/null 2>&1 || { echo "not a git checkout"; exit 77; }
missing=0
while IFS= read -r file; do
  [[ -f "$file" ]] || continue
  case "$file" in
    adventures/*/adventure.txt) want="SPDX-License-Identifier: CC-BY-SA-4.0" ;;
    *.cpp|*.h|*.c|*.sh|*.bash|*.cmake|*CMakeLists.txt|.ci/run|debian/rules) want="SPDX-License-Identifier: GPL-3.0-or-later" ;;
    *) continue ;;
  esac
  if [[ $(head -n 3 "$file" | grep -c "$want") != 1 ]]; then
    echo "$file: no \"$want\" line at its top"
    missing=$((missing + 1))
  fi
done < <(git ls-files --cached --others --exclude-standard)
((missing == 0)) || { echo "$missing files without their licence line"; exit 1; }
echo "every source file names its licence"
