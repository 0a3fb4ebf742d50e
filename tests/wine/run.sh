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

regsvr() {
    wine regsvr32 /s "$@" >/dev/null 2>&1
}

register_check() {
    local label=$1
    shift
    if regsvr "$@"; then
        pass "$label"
    else
        fail "$label" "regsvr32 $* failed"
    fi
}

have_dll() { [ -f "$1/$2" ]; }

# Registration, unregistration and registration-free activation of one DLL, ending with the
# DLL registered machine-wide again.
registration_lifecycle() {
    local dll=$1 progid=$2 manifest=$3
    local path
    path=$(windows_path "$dist64/$dll")
    register_check "regsvr32 /u $dll" /u "$path"
    run_host registry_checks absent "$path" "$progid"
    if [ -f "$dist64/$manifest" ]; then
        run_host activation_checks "$(windows_path "$dist64/$manifest")" "$progid"
    else
        fail "registration-free $dll" "$dist64/$manifest missing"
    fi
    register_check "regsvr32 /n /i:user $dll" /n /i:user "$path"
    run_host registry_checks user "$path" "$progid"
    register_check "regsvr32 /u /n /i:user $dll" /u /n /i:user "$path"
    run_host registry_checks absent "$path" "$progid"
    register_check "regsvr32 $dll" "$path"
    run_host registry_checks present "$path" "$progid"
}

run_64_bit() {
    local companion=0 component=0 script
    if have_dll "$dist64" MireldaSys.dll; then
        companion=1
    else
        fail "dist/win64/MireldaSys.dll" "missing (cmake --preset win64 && cmake --build build/win64)"
    fi
    if have_dll "$dist64" Orbek_DLL.dll; then
        component=1
    else
        fail "dist/win64/Orbek_DLL.dll" "missing (cmake --preset win64 && cmake --build build/win64)"
    fi

    # A server left from an earlier session may be bound to no display: start afresh.
    WINEPREFIX=$root/build/wineprefix wineserver -k 2>/dev/null
    if ! wine_prefix_start "$root/build/wineprefix" win64; then
        fail "wine prefix" "could not start $root/build/wineprefix"
        return
    fi
    trap wine_prefix_stop EXIT

    [ "$companion" -eq 1 ] && register_check "regsvr32 MireldaSys.dll" "$(windows_path "$dist64/MireldaSys.dll")"
    [ "$component" -eq 1 ] && register_check "regsvr32 Orbek_DLL.dll" "$(windows_path "$dist64/Orbek_DLL.dll")"

    # The two hosts that measure their heaps ask the automation library to free every BSTR at
    # once instead of keeping some for reuse, so that the heap holds only what is still in use.
    run_host com_support_checks
    if [ "$companion" -eq 1 ]; then
        OANOCACHE=1 run_host companion_checks "$(windows_path "$dist64/MireldaSys.dll")"
        run_host window_checks
        progress_windows
        run_host usage_log_checks "$(windows_path "$work/usage-log")"
    fi
    if [ "$component" -eq 1 ]; then
        OANOCACHE=1 run_host component_checks "$(windows_path "$dist64/Orbek_DLL.dll")"
        [ "$companion" -eq 1 ] &&
            run_host method_call_checks "$(windows_path "$root/tests/shell/method_calls.tsv")"
        [ "$companion" -eq 1 ] && run_host thread_checks "$(windows_path "$dist64/MireldaSys.dll")"
        [ "$companion" -eq 1 ] && run_host component_vtable_checks
    fi
    if [ "$companion" -eq 1 ] && [ "$component" -eq 1 ]; then
        run_host typelib_checks
    fi

    # Date entry and validation: host forms through IDispatch, and the user's message box as
    # it shows on the screen (tests/wine/date_dialog.sh).
    if [ "$companion" -eq 1 ]; then
        run_host dates_checks
        # shellcheck source=tests/wine/date_dialog.sh
        source "$here/date_dialog.sh"
        date_dialog_checks
    fi
    # The splash's screen copy and shadow, and the companion's system information window;
    # each leaves a screenshot in build/screenshots/ (as PNG).
    mkdir -p "$root/build/screenshots"
    run_host screen_shadow_checks "$(windows_path "$root/src/splash/resources/splash.bmp")" \
        "$(windows_path "$root/build/screenshots/splash_shadow.bmp")"
    if [ "$companion" -eq 1 ] && [ "$component" -eq 1 ]; then
        run_host system_info_checks "$(windows_path "$dist64")" \
            "$(windows_path "$root/build/screenshots/system_info.bmp")"
    fi
    for shot in "$root"/build/screenshots/*.bmp; do
        [ -f "$shot" ] && convert "$shot" "${shot%.bmp}.png" && rm -f "$shot"
    done

    for script in "$here"/*.vbs; do
        case $(basename "$script") in
        companion_*) [ "$companion" -eq 1 ] || continue ;;
        *) if [ "$companion" -ne 1 ] || [ "$component" -ne 1 ]; then continue; fi ;;
        esac
        case $(basename "$script") in
        *without_companion*)
            # The component must live on without its companion: take it away for this one.
            regsvr /u "$(windows_path "$dist64/MireldaSys.dll")"
            run_script "$script" "$dist64"
            register_check "regsvr32 MireldaSys.dll again" "$(windows_path "$dist64/MireldaSys.dll")"
            ;;
        *) run_script "$script" "$dist64" ;;
        esac
    done

    [ "$companion" -eq 1 ] &&
        registration_lifecycle MireldaSys.dll MireldaSys.SysTools MireldaSys.manifest
    [ "$component" -eq 1 ] &&
        registration_lifecycle Orbek_DLL.dll Orbek_DLL.OrbekDLL Orbek_DLL.manifest

    wine_prefix_stop
    trap - EXIT
}

# The progress windows: their checks, then each scene held on the screen while it is
# photographed into build/screenshots/progress-<scene>.png.
progress_windows() {
    local scene ready host waited shots=$root/build/screenshots
    run_host progress_checks
    [ -f "$hosts64/progress_checks.exe" ] || return
    mkdir -p "$shots"
    for scene in bar25 bar-decimals show25-75 rundown; do
        ready=$work/progress-$scene.ready
        rm -f "$ready" "$ready.done"
        timeout "$timeout_seconds" wine "$hosts64/progress_checks.exe" scene "$scene" \
            "$(windows_path "$ready")" >"$work/progress-$scene.txt" 2>&1 &
        host=$!
        waited=0
        while [ ! -f "$ready" ] && [ "$waited" -lt 150 ] && kill -0 "$host" 2>/dev/null; do
            sleep 0.1
            waited=$((waited + 1))
        done
        if [ ! -f "$ready" ]; then
            fail "screenshot progress-$scene" "the scene never came up: $(head -c 300 "$work/progress-$scene.txt")"
        elif import -window root "$shots/progress-$scene.png" 2>"$work/stderr.txt"; then
            pass "screenshot progress-$scene"
        else
            fail "screenshot progress-$scene" "$(head -c 300 "$work/stderr.txt")"
        fi
        touch "$ready.done"
        wait "$host" 2>/dev/null
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
            if grep -qw "$entry" <<<"$exports"; then
                pass "32-bit $dll exports $entry"
            else
                fail "32-bit $dll exports $entry" "not in its export table"
            fi
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
        case $(basename "$script") in *without_companion*) continue ;; esac
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
