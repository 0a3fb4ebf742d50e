#!/usr/bin/env bash
# The demo behind `make demo`: registers the 64-bit DLLs in the Wine prefix under build/ and
# runs the host's typical batch run, examples/typical_run.vbs, printing what it prints and then
# the usage log it wrote.
set -u

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dist=$root/dist/win64
# shellcheck source=tests/wine/wine_prefix.sh
source "$root/tests/wine/wine_prefix.sh"

for tool in wine wineserver xvfb-run; do
    if ! command -v "$tool" >/dev/null; then
        echo "demo: $tool is not installed (apt-get install wine wine64 xvfb xauth)" >&2
        exit 1
    fi
done
for dll in MireldaSys.dll Orbek_DLL.dll; do
    if [ ! -f "$dist/$dll" ]; then
        echo "demo: $dist/$dll is missing (cmake --preset win64 && cmake --build build/win64)" >&2
        exit 1
    fi
done
if [ -z "${ORBEK_WINE_UNDER_XVFB:-}" ]; then
    # The progress window needs a display; one Xvfb serves the whole demo.
    ORBEK_WINE_UNDER_XVFB=1 exec xvfb-run -a bash "${BASH_SOURCE[0]}" "$@"
fi

WINEPREFIX=$root/build/wineprefix wineserver -k 2>/dev/null
if ! wine_prefix_start "$root/build/wineprefix" win64; then
    echo "demo: could not start the Wine prefix $root/build/wineprefix" >&2
    exit 1
fi
trap wine_prefix_stop EXIT

for dll in MireldaSys.dll Orbek_DLL.dll; do
    if ! wine regsvr32 /s "$(windows_path "$dist/$dll")" >/dev/null 2>&1; then
        echo "demo: registering $dll failed" >&2
        exit 1
    fi
done
# The host's installation folder C:\Kalvix holds the usage log; start it afresh so that the
# log shows its banner.
log=$root/build/wineprefix/drive_c/Kalvix/Tesmara.Log
mkdir -p "$(dirname "$log")"
rm -f "$log"
wine cscript //nologo "$(windows_path "$root/examples/typical_run.vbs")" 2>/dev/null
status=$?
if [ -f "$log" ]; then
    echo
    echo "The usage log, C:\Kalvix\Tesmara.Log (build/wineprefix/drive_c/Kalvix/Tesmara.Log):"
    iconv -f WINDOWS-1252 -t UTF-8 "$log" | tr -d '\r'
fi
exit "$status"
