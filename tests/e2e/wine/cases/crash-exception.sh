# A C++ exception nobody catches: std::terminate and abort end the process; the watchdog puts the
# machine back.
RunCase() {
    CrashCase exception 3 watchdog
}
