# The Windows session ends: WM_ENDSESSION puts the machine back before the process is ended (by
# the probe, as the system would; Wine already ends it when the message has been handled).
EndSession() {
    local report
    report=$(Probe end-session TApplication "Zindra crash probe ready") || Fail "cannot end the session: $report"
    report=${report//$'\r'/}
    Log "$report"
    grep -qx "query-end-session=1" <<<"$report" || Fail "the program did not agree to end the session"
    grep -qx "ended=1" <<<"$report" || Fail "the process did not end"
}

RunCase() {
    CrashCase wait - program EndSession
}
