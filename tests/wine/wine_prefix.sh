# shellcheck shell=bash
# Sourced by run.sh and the demo: a private Wine prefix under build/, kept warm by one
# persistent wineserver for the length of a run.

# Starts (and on first use creates) the prefix; $1 its folder, $2 win64 or win32.
wine_prefix_start() {
    export WINEPREFIX=$1
    export WINEARCH=$2
    export WINEDEBUG=-all
    # No Mono or Gecko: a fresh prefix would otherwise offer to download them.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    mkdir -p "$WINEPREFIX" || return 1
    # Fails when the prefix's server already runs, which serves as well.
    wineserver -p >/dev/null 2>&1 </dev/null
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wine wineboot -i >"$WINEPREFIX/wineboot.log" 2>&1 || return 1
    fi
}

# Stops the prefix's wineserver and every Wine process of the prefix with it.
wine_prefix_stop() {
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    return 0
}

# Sets the value $1 of Wine's X11 driver to "N" for the programs started next, or with $2
# "default" takes it away again. With no window manager on the display, "Decorated" N has
# Wine draw the title bars itself, and "Managed" N stops it waiting for a manager each time a
# window leaves the screen.
wine_x11_setting_off() {
    if [ "${2:-}" = default ]; then
        wine reg delete 'HKCU\Software\Wine\X11 Driver' /v "$1" /f >/dev/null 2>&1
    else
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v "$1" /d N /f >/dev/null 2>&1
    fi
    return 0
}

# The Windows form of a Linux path (Wine's Z: drive is the Linux root).
windows_path() {
    local path=$1
    printf 'Z:%s' "${path//\//\\}"
}
