#!/usr/bin/env bash
# Runs the Windows build under Wine: registers MireldaSys.dll and Orbek_DLL.dll in a private
# prefix, runs the VBScript checks and the C++ test hosts, and prints every result line and
# then "wine: N passed, N failed". A missing Wine, DLL or test host is a failure, not a skip.
# The whole run happens inside one xvfb-run, so whatever shows a window has a display.
set -u

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
here=$root/tests/wine
dist64=$root/dist/win64
dist32=$root/dist/win32
hosts64=$root/build/win64/tests/wine
work=$root/build/wine-run
timeout_seconds=30
passed=0
failed=0

# shellcheck source=tests/wine/wine_prefix.sh
source "$here/wine_prefix.sh"

report() {
    printf '%s\n' "$1"
    case $1 in
    "ok "*) passed=$((passed + 1)) ;;
    "not ok "*) failed=$((failed + 1)) ;;
    esac
}
pass() { report "ok $1"; }
fail() { report "not ok $1: $2"; }

finish() {
    echo "wine: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
    exit
}

# Runs one test command under the time limit. Its "ok"/"not ok" lines are counted; a crash,
# a timeout or an output without the "# done" line at its end is one more failure.
run_checks() {
    local name=$1
    shift
    local output status=0 results=0 finished=0 line
    output=$(timeout "$timeout_seconds" "$@" 2>"$work/stderr.txt") || status=$?
    # Wine now and then fails to start a program at all ("ShellExecuteEx failed"); a program
    # that never ran reported nothing, so one more start hides no result.
    if [ -z "$output" ] && grep -q 'ShellExecuteEx failed' "$work/stderr.txt"; then
        echo "# $name did not start; starting it again"
        status=0
        output=$(timeout "$timeout_seconds" "$@" 2>"$work/stderr.txt") || status=$?
    fi
    while IFS= read -r line; do
        line=${line%$'\r'}
        case $line in
        "ok "* | "not ok "*)
            report "$line"
            results=$((results + 1))
            ;;
        "# done") finished=1 ;;
        "") ;;
        *) printf '# %s\n' "$line" ;;
        esac
    done <<<"$output"
    if [ "$status" -eq 124 ]; then
        fail "$name" "timed out after $timeout_seconds s"
    elif [ "$status" -ne 0 ]; then
        fail "$name" "exit code $status: $(grep -v wine32 "$work/stderr.txt" | head -c 300)"
    elif [ "$finished" -eq 0 ]; then
        fail "$name" "stopped before its end after $results results (a runtime error?)"
    fi
}

# Runs a test script with the check helpers put in front of it (Wine's VBScript cannot
# include files), passing the DLL folder as its argument.
run_script() {
    local script=$1 dist=$2
    local name combined
    name=$(basename "$script" .vbs)
    combined=$work/$name.vbs
    cat "$here/include/checks.vbs" "$script" >"$combined"
    run_checks "$name.vbs" wine cscript //nologo "$(windows_path "$combined")" \
        "$(windows_path "$dist")"
}

# Runs a C++ test host; a host that was not built is a failure.
run_host() {
    local host=$1
    shift
    if [ ! -f "$hosts64/$host.exe" ]; then
        fail "$host" "$hosts64/$host.exe not built (cmake --build build/win64)"
        return
    fi
    run_checks "$host" wine "$hosts64/$host.exe" "$@"
}

register_check() {
    local label=$1
    shift
    if wine regsvr32 /s "$@" >/dev/null 2>&1; then
        pass "$label"
    else
        fail "$label" "regsvr32 $* failed"
    fi
}

# Registration, unregistration (which keeps what another program added under our keys),
# registration-free activation and per-user registration of one DLL, ending with the DLL
# registered machine-wide again.
registration_lifecycle() {
    local dll=$1 progid=$2
    local path
    path=$(windows_path "$dist64/$dll")
    run_host registration_checks marked "$path" "$progid"
    register_check "regsvr32 /u $dll" /u "$path"
    run_host registration_checks unregistered "$path" "$progid"
    run_host registration_checks activation "$(windows_path "$dist64/${dll%.dll}.manifest")" "$progid"
    register_check "regsvr32 /n /i:user $dll" /n /i:user "$path"
    run_host registration_checks user "$path" "$progid"
    register_check "regsvr32 /u /n /i:user $dll" /u /n /i:user "$path"
    run_host registration_checks absent "$path" "$progid"
    register_check "regsvr32 $dll" "$path"
    run_host registration_checks present "$path" "$progid"
}

run_64_bit() {
    local companion=1 component=1 dll script
    for dll in MireldaSys.dll Orbek_DLL.dll; do
        [ -f "$dist64/$dll" ] && continue
        fail "dist/win64/$dll" "missing (cmake --preset win64 && cmake --build build/win64)"
        companion=0 component=0
    done
    [ "$component" -eq 1 ] || return

    # A server left from an earlier session may be bound to no display: start afresh.
    WINEPREFIX=$root/build/wineprefix wineserver -k 2>/dev/null
    if ! wine_prefix_start "$root/build/wineprefix" win64; then
        fail "wine prefix" "could not start $root/build/wineprefix"
        return
    fi
    trap wine_prefix_stop EXIT

    register_check "regsvr32 MireldaSys.dll" "$(windows_path "$dist64/MireldaSys.dll")"
    register_check "regsvr32 Orbek_DLL.dll" "$(windows_path "$dist64/Orbek_DLL.dll")"

    # The leak check asks the automation library to free every BSTR at once instead of
    # keeping some for reuse, so that the heap holds only what is still in use.
    OANOCACHE=1 run_host late_bound_checks
    run_host early_bound_checks
    run_host typelib_checks
    run_host method_call_checks "$(windows_path "$root/tests/shell/method_calls.tsv")"
    run_host server_checks "$(windows_path "$dist64/Orbek_DLL.dll")" \
        "$(windows_path "$dist64/MireldaSys.dll")"
    # The INI corpus through the DLL's three INI methods on kernel32's profile functions.
    run_host profile_checks "$(windows_path "$root/tests/data/ini/profile_corpus.txt")"
    run_host progress_checks
    run_host usage_log_checks "$(windows_path "$work/usage-log")"

    # Date entry and validation: the shapes of a form's controls only a C++ host makes, and
    # the user's message box of FechaValida as it shows on the screen (date_dialog.sh); the
    # rest goes through the DLL in component_dates.vbs.
    run_host dates_checks
    if [ "$companion" -eq 1 ] && [ "$component" -eq 1 ]; then
        # shellcheck source=tests/wine/date_dialog.sh
        source "$here/date_dialog.sh"
        date_dialog_checks
    fi
    # The companion's system information window and the splash window through the DLL, over
    # a desktop of its own; each leaves a screenshot in build/screenshots/ (as PNG).
    mkdir -p "$root/build/screenshots"
    if [ "$companion" -eq 1 ] && [ "$component" -eq 1 ]; then
        run_host system_info_checks "$(windows_path "$dist64")" \
            "$(windows_path "$root/build/screenshots/system_info.bmp")"
        # The splash waits once for its own timer: 12.345 s. It moves itself off the screen
        # and back; without a window manager on the display, Wine would wait 2 s for one
        # each time, so for this run Wine manages no window itself.
        wine_x11_setting_off Managed
        timeout_seconds=45 run_host splash_checks \
            "$(windows_path "$root/build/screenshots/splash.bmp")"
        wine_x11_setting_off Managed default
    fi
    for shot in "$root"/build/screenshots/*.bmp; do
        [ -f "$shot" ] && convert "$shot" "${shot%.bmp}.png" && rm -f "$shot"
    done

    for script in "$here"/*.vbs; do
        case $(basename "$script") in
        component_progress.vbs) progress_script "$script" "$dist64" ;;
        *) run_script "$script" "$dist64" ;;
        esac
    done

    registration_lifecycle MireldaSys.dll MireldaSys.SysTools
    registration_lifecycle Orbek_DLL.dll Orbek_DLL.OrbekDLL

    wine_prefix_stop
    trap - EXIT
}

# The progress windows through the DLL from a script, with Wine drawing the title bars itself
# (no window manager here) for the pictures its probe takes; then the pictures as PNG.
progress_script() {
    local script=$1 dist=$2 shot
    local timeout_seconds=$((timeout_seconds * 3)) # three run-downs and a program per look
    wine_x11_setting_off Decorated
    run_script "$script" "$dist"
    wine_x11_setting_off Decorated default
    for shot in "$root"/build/screenshots/progress-*.bmp; do
        [ -f "$shot" ] && convert "$shot" "${shot%.bmp}.png" && rm -f "$shot"
    done
}

# Without wine32 the 32-bit DLLs can only be checked for their entry points.
check_32_bit_exports() {
    local dll entry exports
    echo "# the 32-bit runtime tests need wine32 (dpkg --add-architecture i386; apt-get install wine32:i386); checking the 32-bit exports instead"
    if ! command -v i686-w64-mingw32-objdump >/dev/null; then
        fail "32-bit exports" "i686-w64-mingw32-objdump not installed"
        return
    fi
    for dll in MireldaSys.dll Orbek_DLL.dll; do
        if [ ! -f "$dist32/$dll" ]; then
            fail "dist/win32/$dll" "missing (cmake --preset win32 && cmake --build build/win32)"
            continue
        fi
        exports=$(i686-w64-mingw32-objdump -p "$dist32/$dll" |
            sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
        for entry in DllCanUnloadNow DllGetClassObject DllInstall DllRegisterServer \
            DllUnregisterServer; do
            grep -qw "$entry" <<<"$exports" && pass "32-bit $dll exports $entry" ||
                fail "32-bit $dll exports $entry" "not in its export table"
        done
    done
}

# With wine32 the 32-bit DLLs get their own prefix: registration and the scripts.
run_32_bit() {
    local script
    for dll in MireldaSys.dll Orbek_DLL.dll; do
        if [ ! -f "$dist32/$dll" ]; then
            fail "dist/win32/$dll" "missing (cmake --preset win32 && cmake --build build/win32)"
            return
        fi
    done
    WINEPREFIX=$root/build/wineprefix32 wineserver -k 2>/dev/null
    if ! wine_prefix_start "$root/build/wineprefix32" win32; then
        fail "32-bit wine prefix" "could not start $root/build/wineprefix32"
        return
    fi
    trap wine_prefix_stop EXIT
    register_check "32-bit regsvr32 MireldaSys.dll" "$(windows_path "$dist32/MireldaSys.dll")"
    register_check "32-bit regsvr32 Orbek_DLL.dll" "$(windows_path "$dist32/Orbek_DLL.dll")"
    for script in "$here"/*.vbs; do
        run_script "$script" "$dist32"
    done
    wine_prefix_stop
    trap - EXIT
}

main() {
    mkdir -p "$work"
    if ! command -v wine >/dev/null || ! command -v wineserver >/dev/null; then
        fail "wine" "not installed (apt-get install wine wine64)"
        finish
    fi
    if [ -z "${ORBEK_WINE_UNDER_XVFB:-}" ]; then
        # One Xvfb display for the whole run: Wine binds a prefix's desktop to the display of
        # the first program that opens one, so the scripts and hosts that show windows only
        # work when every Wine process of the run sees the same display.
        if ! command -v xvfb-run >/dev/null; then
            fail "xvfb-run" "not installed (apt-get install xvfb xauth)"
            finish
        fi
        ORBEK_WINE_UNDER_XVFB=1 exec xvfb-run -a bash "${BASH_SOURCE[0]}" "$@"
    fi
    run_64_bit
    if dpkg -s wine32 >/dev/null 2>&1 || dpkg -s wine32:i386 >/dev/null 2>&1; then
        run_32_bit
    else
        check_32_bit_exports
    fi
    finish
}

main "$@"
