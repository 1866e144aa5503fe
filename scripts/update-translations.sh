#!/usr/bin/env bash
# Collects every translatable text of the program into the two translation catalogues.
#
#   scripts/update-translations.sh
#
# Runs lupdate over the program's sources (the command-line tool is English only and left
# out), keeping the translations already made; texts that disappeared stay as "vanished"
# entries so that a half-written source file does not throw work away. The English catalogue
# then gets every text as its own translation so that switching back to English restores the
# source texts. New Chinese entries stay "unfinished" until someone translates them.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
LUPDATE="${LUPDATE:-lupdate}"
dirs=(core app device acquisition imageproc display tools)
# Sources include each other from the tree's root ("app/MainWindow.h").
options=(-silent -I "$root" -extensions cpp,h,ui -locations none -source-language en)
run_lupdate() {
    "$LUPDATE" "${options[@]}" -target-language "$1" "${dirs[@]}" -ts "$2"
}
run_lupdate en resources/translations/VionEnglish.ts
run_lupdate zh_CN resources/translations/VionChinese.ts
python3 scripts/ts-tool.py english resources/translations/VionEnglish.ts
# Once more to write the file in lupdate's own layout, which keeps later diffs small.
run_lupdate en resources/translations/VionEnglish.ts
python3 scripts/ts-tool.py report resources/translations/VionChinese.ts
