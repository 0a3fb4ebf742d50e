# shellcheck shell=bash
# Sourced by run.sh: the user's message box of the date check, as it shows on the screen.
# For each rejected date, dates_checks.exe shows the real box and message_box_watcher.exe
# reads it off the screen; its title and text must be these bytes exactly, it must have one
# OK button and the information icon, and a picture of it goes to build/screenshots/. With no
# window manager on the display, Wine is asked to draw the title bars itself while the boxes
# are shown, so that the pictures show the title too.

date_dialog_head='Atenci\xc3\xb3n Sr. Usuario:\r\n\r\n\r\nUd. captur\xc3\xb3 incorrectamente est\xc3\xa1 fecha: '
date_dialog_tail='Favor de Verificar y Corregir, Gracias..\r\n\r\n'
date_dialog_years='El rango de A\xc3\xb1os es de: 1930 al 2029, Ud. captur\xc3\xb3: '
date_dialog_months='El rango de Meses es del: 1 al 12, Ud. captur\xc3\xb3: '

# The hex of the bytes a printf format gives.
date_dialog_hex() {
    # shellcheck disable=SC2059
    printf "$1" | od -An -tx1 -v | tr -d ' \n'
}

# The watcher's line that starts with $2, without its name.
date_dialog_line() {
    sed -n "s/^$2 //p" "$1" | tr -d '\r'
}

date_dialog_case() {
    local name=$1 expected=$2
    local go=$work/dialog-$name.go watch=$work/dialog-$name.watch shown=0 i line
    local shot=$root/build/screenshots/fecha_valida_$name.png
    rm -f "$go" "$watch"
    timeout "$timeout_seconds" wine "$hosts64/message_box_watcher.exe" --hold \
        "$(windows_path "$go")" >"$watch" 2>/dev/null &
    local watcher=$!
    timeout "$timeout_seconds" wine "$hosts64/dates_checks.exe" dialog "$name" \
        >"$work/dialog-$name.host" 2>/dev/null &
    local host=$!
    for i in $(seq 1 200); do
        if grep -q '^shown' "$watch" 2>/dev/null; then
            shown=1
            break
        fi
        sleep 0.1
    done
    if [ "$shown" -eq 1 ]; then
        mkdir -p "$(dirname "$shot")"
        import -window root "$shot" 2>/dev/null || fail "screenshot of the $name box" "import failed"
    fi
    touch "$go"
    wait "$watcher"
    wait "$host"
    if [ "$shown" -ne 1 ]; then
        fail "the $name box is shown" "the watcher saw no box: $(tr -d '\r' <"$watch" | head -c 200)"
        return
    fi
    [ "$(date_dialog_line "$watch" title)" = "$(date_dialog_hex 'ERROR en la Fecha')" ] &&
        pass "the $name box has its title" ||
        fail "the $name box has its title" "got $(date_dialog_line "$watch" title)"
    [ "$(date_dialog_line "$watch" text)" = "$(date_dialog_hex "$expected")" ] &&
        pass "the $name box says exactly what it must" ||
        fail "the $name box says exactly what it must" "got $(date_dialog_line "$watch" text)"
    [ "$(date_dialog_line "$watch" buttons)" = "1" ] &&
        pass "the $name box has one OK button" ||
        fail "the $name box has one OK button" "buttons $(date_dialog_line "$watch" buttons)"
    [ "$(date_dialog_line "$watch" icon)" = "information" ] &&
        pass "the $name box shows the information icon" ||
        fail "the $name box shows the information icon" "$(date_dialog_line "$watch" icon)"
    grep -q '^closed' "$watch" && pass "the $name box closes with OK" ||
        fail "the $name box closes with OK" "still open"
    while IFS= read -r line; do
        line=${line%$'\r'}
        case $line in "ok "* | "not ok "*) report "$line" ;; esac
    done <"$work/dialog-$name.host"
    grep -q '^# done' "$work/dialog-$name.host" ||
        fail "dates_checks dialog $name" "stopped before its end"
}

date_dialog_checks() {
    local host
    for host in dates_checks message_box_watcher; do
        if [ ! -f "$hosts64/$host.exe" ]; then
            fail "$host" "$hosts64/$host.exe not built (cmake --build build/win64)"
            return
        fi
    done
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    date_dialog_case year "${date_dialog_head}15/06/2030\r\n\r\n\r\n${date_dialog_years}2030\r\n\r\n${date_dialog_tail}"
    date_dialog_case month "${date_dialog_head}15/13/2029\r\n\r\n\r\n${date_dialog_months}13\r\n\r\n${date_dialog_tail}"
    date_dialog_case day "${date_dialog_head}00/05/2024\r\n\r\n\r\n${date_dialog_tail}"
    date_dialog_case mask "${date_dialog_head}  /  /    \r\n\r\n\r\n${date_dialog_years}0\r\n\r\n${date_dialog_months}0\r\n\r\n${date_dialog_tail}"
    wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Decorated /f >/dev/null 2>&1
}
