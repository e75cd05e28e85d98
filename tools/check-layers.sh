#!/usr/bin/env bash
# The folders are layers: each includes only from itself and the folders it
# may use (below it, and platform beside). The page's rooms are layers too:
# each imports only from itself and the rooms it may use. Lists every include
# or import that reaches elsewhere and fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# C++: the folder of the file, and the folders its includes may name.
declare -A may_include=(
    [numbers]="numbers"
    [solver]="numbers solver"
    [platform]="platform"
    [record]="numbers solver platform record"
    [diagrams]="numbers solver diagrams"
    [console]="numbers solver platform record console"
    [web]="numbers solver platform record diagrams console web"
)
# JavaScript: the page's rooms under web/page/ ("." is the page itself), and
# the rooms their imports may reach.
declare -A may_import=(
    [dom]="dom"
    [run]="run dom"
    [drawing]="drawing dom"
    [.]=". run drawing dom"
)

status=0
for folder in "${!may_include[@]}"; do
    while IFS=: read -r file line used; do
        case " ${may_include[$folder]} " in
        *" $used "*) ;;
        *) echo "$file:$line: $folder/ includes from $used/" >&2; status=1 ;;
        esac
    done < <(grep -HnoE '^#include "[a-z_]+/' "$folder"/*.cpp "$folder"/*.hpp 2>/dev/null |
        sed -E 's|#include "([a-z_]+)/|\1|')
done

page=web/page
for room in "${!may_import[@]}"; do
    while IFS=: read -r file line target; do
        # The room the import lands in, from the page's folder.
        landed=$(realpath -m --relative-to="$page" "$(dirname "$file")/$target")
        used=${landed%%/*}
        [ "$used" = "$landed" ] && used=.
        case " ${may_import[$room]} " in
        *" $used "*) ;;
        *) echo "$file:$line: $room/ imports from $used/" >&2; status=1 ;;
        esac
    done < <(grep -HnoE "from '\.[^']*'" "$page/$room"/*.js 2>/dev/null |
        sed -E "s|from '([^']*)'|\1|")
done
exit $status
