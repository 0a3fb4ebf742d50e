#!/usr/bin/env bash
# Times the splash's drop shadow under Wine (64-bit build): through GetPixel/SetPixel on a
# device context against painting the screen copy's bitmap directly, in one run, for the
# splash window (797 x 445) and for the artwork picture alone with its margin (657 x 326);
# with the first, sSplash through the registered DLL from the call to its return.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
host=$root/build/win64/bench/wine/shadow_wine_bench.exe
[ -f "$host" ] || { echo "$host not built (make win64)"; exit 1; }
# shellcheck source=tests/wine/wine_prefix.sh
source "$root/tests/wine/wine_prefix.sh"
if [ -z "${ORBEK_WINE_UNDER_XVFB:-}" ]; then
    ORBEK_WINE_UNDER_XVFB=1 exec xvfb-run -a bash "${BASH_SOURCE[0]}" "$@"
fi
wine_prefix_start "$root/build/wineprefix" win64
for dll in MireldaSys.dll Orbek_DLL.dll; do
    wine regsvr32 /s "$(windows_path "$root/dist/win64/$dll")"
done
# No window manager runs on this display: Wine would wait 2 s for one each time the splash
# leaves the screen, so it manages no window itself (as tests/wine/run.sh does for the splash).
wine_x11_setting_off Managed
trap "wine_x11_setting_off Managed default; wine_prefix_stop" EXIT
echo "| way | time a shadow | ratio |"
echo "|---|---|---|"
wine "$host" 797 445
wine "$host" 657 326
