#!/usr/bin/env bash
# The folders are layers: each includes only from itself and the folders it
# may use (below it, and platform beside). Lists every include that reaches
# elsewhere and fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A may_use=(
    [numbers]="numbers"
    [solver]="numbers solver"
    [platform]="platform"
    [record]="numbers solver platform record"
    [console]="numbers solver platform record console"
    [web]="numbers solver platform record console web"
)
status=0
for folder in "${!may_use[@]}"; do
    while IFS=: read -r file line used; do
        case " ${may_use[$folder]} " in
        *" $used "*) ;;
        *) echo "$file:$line: $folder/ includes from $used/" >&2; status=1 ;;
        esac
    done < <(grep -HnoE '^#include "[a-z_]+/' "$folder"/*.cpp "$folder"/*.hpp 2>/dev/null |
        sed -E 's|#include "([a-z_]+)/|\1|')
done
exit $status
