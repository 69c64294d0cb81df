# Ctrl+C in the program's console: the console handler puts the machine back before the system
# ends the process. (Wine does not send a console's close to its programs, so the case sends
# Ctrl+C, which reaches the same handler.)
RunCase() {
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
