# The crash probe, a program on the back end that changes the machine as the menu does, dies in
# every way a program can, one after another; each time the machine is put back, by the program's
# own handlers where the process is still sound, by the watchdog where it is not.
RunCase() {
    # An access violation: the process ends with the exception's code (0xC0000005, of which the
    # host sees the low byte) without touching the display from the faulting process.
    CrashCase access-violation 5 watchdog
    # A C++ exception nobody catches: std::terminate and abort end the process.
    CrashCase exception 3 watchdog
    # ExitProcess through the platform: no destructor runs.
    CrashCase exit 4 program
    # A program that ends normally without undoing its changes: the platform's destructor does.
    CrashCase return 0 program
    # The Windows session ends: WM_ENDSESSION puts the machine back before the process is ended.
    CrashCase wait - program EndSession
    ConsoleBreak
}

# Ends the session as the system does (the probe ends the process then, as the system would;
# Wine already ends it when the message has been handled).
EndSession() {
    local report
    report=$(Probe end-session TApplication "Zindra crash probe ready") || Fail "cannot end the session: $report"
    report=${report//$'\r'/}
    Log "$report"
    grep -qx "query-end-session=1" <<<"$report" || Fail "the program did not agree to end the session"
    grep -qx "ended=1" <<<"$report" || Fail "the process did not end"
}

# Ctrl+C in the program's console: the console handler puts the machine back before the system
# ends the process. (Wine does not send a console's close to its programs, so the case sends
# Ctrl+C, which reaches the same handler.)
ConsoleBreak() {
    local report
    report=$(Probe console-break 15000 "$(winepath -w "$ZINDRA_E2E_CRASH_PROBE")" wait) ||
        Fail "Ctrl+C did not end the crash probe: $report"
    report=${report//$'\r'/}
    Log "$report"
    grep -qx "mode=$kMenuMode" <<<"$report" || Fail "the crash probe did not change the mode"
    grep -qx "taskbar=hidden" <<<"$report" || Fail "the crash probe did not hide the task bar"
    grep -qx "swap=1" <<<"$report" || Fail "the crash probe did not swap the buttons"
    ExpectMachineRestored
}
