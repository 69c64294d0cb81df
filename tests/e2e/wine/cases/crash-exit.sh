# ExitProcess through the platform: no destructor runs, the machine is put back all the same.
RunCase() {
    CrashCase exit 4 program
}
