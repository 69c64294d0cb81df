# A missing intro picture gives the menu's warning, and the menu ends with the machine put back:
# once the warning is answered, and once by Ctrl+X while the warning is still up (the warning's
# own loop lets the hot key through, as Windows' does).
RunCase() {
    rm "$suite/menu/intro_1.jpg"
    local text
    StartMenu
    text=$(Probe message-box 20000 Warning ok) || Fail "no warning box"
    Log "$text"
    grep -qx "text=Animation frame does not exists! Uninstall and then re-install software." <<<"${text//$'\r'/}" ||
        Fail "the warning says: $text"
    WaitExit "$menuPid" 20
    ExpectStatus 0
    ExpectMachineRestored
    ExpectNothingLeftToUndo

    StartMenu
    Probe message-box 20000 Warning >/dev/null || Fail "no warning box the second time"
    Key ctrl+x
    WaitExit "$menuPid" 20
    ExpectStatus 0
    Probe wait 5000 gone "#32770" Warning || Fail "the warning stayed"
    ExpectMachineRestored
    ExpectNothingLeftToUndo
}
