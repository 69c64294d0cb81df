# A missing intro picture gives the menu's warning, and the menu ends with the machine put back.
RunCase() {
    rm "$suite/menu/intro_1.jpg"
    StartMenu
    local text
    text=$(Probe message-box 20000 Warning ok) || Fail "no warning box"
    Log "$text"
    grep -qx "text=Animation frame does not exists! Uninstall and then re-install software." <<<"${text//$'\r'/}" ||
        Fail "the warning says: $text"
    WaitExit "$menuPid" 20
    ExpectStatus 0
    ExpectMachineRestored
}
