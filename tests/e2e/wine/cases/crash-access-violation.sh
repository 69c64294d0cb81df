# An access violation: the process ends with the exception's code (0xC0000005, of which the host
# sees the low byte) without touching the display from the faulting process; the watchdog puts the
# machine back.
RunCase() {
    CrashCase access-violation 5 watchdog
}
