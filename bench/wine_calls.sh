#!/usr/bin/env bash
# Times late-bound calls of the 64-bit DLL under Wine: a C++ host calling IDispatch::Invoke
# against Scripting.Dictionary in the same run, then scripted loops from the script host, then
# the progress windows' update calls against MasDeUnDia. All on one Xvfb display, which the
# progress windows need.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [ -z "${ORBEK_WINE_UNDER_XVFB:-}" ]; then
    ORBEK_WINE_UNDER_XVFB=1 exec xvfb-run -a bash "${BASH_SOURCE[0]}" "$@"
fi
# shellcheck source=tests/wine/wine_prefix.sh
source "$root/tests/wine/wine_prefix.sh"
# A server left from an earlier session may be bound to no display: start afresh.
WINEPREFIX=$root/build/wineprefix wineserver -k 2>/dev/null
wine_prefix_start "$root/build/wineprefix" win64 || exit 1
trap wine_prefix_stop EXIT
for dll in MireldaSys.dll Orbek_DLL.dll; do
    wine regsvr32 /s "$(windows_path "$root/dist/win64/$dll")" || exit 1
done
echo "## From a C++ host: IDispatch::Invoke with a prepared DISPPARAMS"
wine "$root/build/win64/bench/wine/invoke_bench.exe" 2>/dev/null
echo
echo "## From the script host"
wine cscript //nologo "$(windows_path "$root/bench/wine_calls.vbs")" 2>/dev/null
echo
echo "## Progress windows: update calls from a C++ host"
wine "$root/build/win64/bench/wine/progress_bench.exe" 2>/dev/null
echo
echo "## The usage log's record line against TextStream.WriteLine"
wine "$root/build/win64/bench/wine/usagelog_invoke_bench.exe" 2>/dev/null
echo
wine cscript //nologo "$(windows_path "$root/bench/usagelog_wine.vbs")" 2>/dev/null
