# shellcheck shell=bash
# Sourced by run.sh: the user's message box of FechaValida from a script through the DLL, as
# it shows on the screen. dialogs/rejected_date.vbs makes the call, message_box_watcher.exe
# reads the box off the screen (title and text exactly these bytes, one OK button, the
# information icon), a picture goes to build/screenshots/, and the call returns true only once
# OK was pressed. Wine draws the title bars itself meanwhile (no window manager here).

date_dialog_head='Atenci\xc3\xb3n Sr. Usuario:\r\n\r\n\r\nUd. captur\xc3\xb3 incorrectamente est\xc3\xa1 fecha: '
date_dialog_tail='Favor de Verificar y Corregir, Gracias..\r\n\r\n'
date_dialog_years='El rango de A\xc3\xb1os es de: 1930 al 2029, Ud. captur\xc3\xb3: '
date_dialog_months='El rango de Meses es del: 1 al 12, Ud. captur\xc3\xb3: '

# The hex of the bytes a printf format gives.
date_dialog_hex() {
    # shellcheck disable=SC2059
    printf "$1" | od -An -tx1 -v | tr -d ' \n'
}

# Passes when the watcher's line $3 in the file $2 says $4.
date_dialog_expect() {
    local got
    got=$(sed -n "s/^$3 //p" "$2" | tr -d '\r')
    [ "$got" = "$4" ] && pass "$1" || fail "$1" "got $got, expected $4"
}

date_dialog_case() {
    local name=$1 expected=$2
    local go=$work/dialog-$name.go watch=$work/dialog-$name.watch shown=0
    rm -f "$go" "$watch"
    timeout "$timeout_seconds" wine "$hosts64/message_box_watcher.exe" --hold \
        "$(windows_path "$go")" >"$watch" 2>/dev/null &
    local watcher=$!
    timeout "$timeout_seconds" wine cscript //nologo "$(windows_path "$work/rejected_date.vbs")" \
        "$(windows_path "$dist64")" "$name" "$(windows_path "$go")" >"$work/dialog-$name.out" \
        2>/dev/null &
    local caller=$!
    for _ in $(seq 1 200); do
        grep -q '^shown' "$watch" 2>/dev/null && shown=1 && break
        sleep 0.1
    done
    if [ "$shown" -eq 1 ]; then
        mkdir -p "$root/build/screenshots"
        import -window root "$root/build/screenshots/fecha_valida_$name.png" 2>/dev/null ||
            fail "screenshot of the $name box" "import failed"
    fi
    touch "$go"
    wait "$watcher" "$caller"
    if [ "$shown" -ne 1 ]; then
        fail "the $name box is shown" "the watcher saw no box: $(tr -d '\r' <"$watch" | head -c 200)"
        return
    fi
    date_dialog_expect "the $name box has its title" "$watch" title \
        "$(date_dialog_hex 'ERROR en la Fecha')"
    date_dialog_expect "the $name box says exactly what it must" "$watch" text \
        "$(date_dialog_hex "$expected")"
    date_dialog_expect "the $name box has one OK button" "$watch" buttons 1
    date_dialog_expect "the $name box shows the information icon" "$watch" icon 'information'
    grep -q '^closed' "$watch" && pass "the $name box closes with OK" ||
        fail "the $name box closes with OK" "still open"
    run_checks "rejected_date.vbs $name" cat "$work/dialog-$name.out"
}

date_dialog_checks() {
    if [ ! -f "$hosts64/message_box_watcher.exe" ]; then
        fail "message_box_watcher" "$hosts64/message_box_watcher.exe not built (make win64)"
        return
    fi
    cat "$here/include/checks.vbs" "$here/dialogs/rejected_date.vbs" >"$work/rejected_date.vbs"
    wine_x11_setting_off Decorated
    date_dialog_case year "${date_dialog_head}15/06/2030\r\n\r\n\r\n${date_dialog_years}2030\r\n\r\n${date_dialog_tail}"
    date_dialog_case month "${date_dialog_head}15/13/2029\r\n\r\n\r\n${date_dialog_months}13\r\n\r\n${date_dialog_tail}"
    date_dialog_case day "${date_dialog_head}00/05/2024\r\n\r\n\r\n${date_dialog_tail}"
    date_dialog_case mask "${date_dialog_head}  /  /    \r\n\r\n\r\n${date_dialog_years}0\r\n\r\n${date_dialog_months}0\r\n\r\n${date_dialog_tail}"
    wine_x11_setting_off Decorated default
}
