#!/usr/bin/env bash
# Runs bench/wine_calls.vbs against the 64-bit DLLs in the Wine prefix under build/.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tests/wine/wine_prefix.sh
source "$root/tests/wine/wine_prefix.sh"
wine_prefix_start "$root/build/wineprefix" win64 || exit 1
trap wine_prefix_stop EXIT
for dll in MireldaSys.dll Orbek_DLL.dll; do
    wine regsvr32 /s "$(windows_path "$root/dist/win64/$dll")" || exit 1
done
wine cscript //nologo "$(windows_path "$root/bench/wine_calls.vbs")" 2>/dev/null
