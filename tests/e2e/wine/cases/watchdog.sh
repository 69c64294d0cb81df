# However the menu dies, its watchdog puts the machine back: the mode (in use and stored), the task
# bars of every monitor and the mouse buttons. The menu is ended from outside (as "end task" or
# taskkill /F do), faults inside, and hangs and is then ended from outside.
RunCase() {
    ProbeBeside taskbars taskbars 1 120000
    Death kill
    Death access-violation
    Death hang
}

Death() {
    local how=$1
    Log "--- the menu dies by $how"
    if [[ $how == kill ]]; then unset ZINDRA_TEST_FAULT; else export ZINDRA_TEST_FAULT=$how; fi
    StartMenu
    Probe wait 20000 shown TForm1 - || Fail "the menu's window did not appear"
    Probe wait 5000 mode 800 600 || Fail "the display mode did not change to 800x600"
    Expect taskbar=hidden secondary=hidden
    case $how in
        kill)
            WaitForLanguageScreen
            Click 340 502 # English
            Type ANNA
            Click 197 508 # left hand
            Probe wait 5000 swap 1 || Fail "the left hand did not swap the buttons"
            Probe kill TForm1 - >/dev/null || Fail "cannot end the menu"
            ;;
        access-violation)
            Probe fault TForm1 - || Fail "cannot make the menu fault"
            ;;
        hang)
            Probe fault TForm1 - || Fail "cannot make the menu hang"
            Probe hung 10000 TForm1 - || Fail "the menu's window did not hang"
            Probe kill TForm1 - >/dev/null || Fail "cannot end the hung menu"
            ;;
    esac
    WaitExit "$menuPid" 20
    Log "exit status $exitStatus"
    WaitForLine zindra.log "zindra watchdog: the program ended without putting back" 10 ||
        Fail "the watchdog did not say it put the machine back"
    ExpectMachineRestored
    Expect secondary=shown
    grep -h "zindra watchdog" "$out/zindra.log"
    mv "$out/zindra.log" "$out/zindra-$how.log"
}
