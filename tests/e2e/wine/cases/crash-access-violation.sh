# An access violation: the unhandled-exception filter puts the machine back; the process ends
# with the exception's code (0xC0000005, of which the host sees the low byte).
RunCase() {
    CrashCase access-violation 5
}
