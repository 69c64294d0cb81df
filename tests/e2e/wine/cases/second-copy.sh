# While a learning program runs the menu waits minimised; a second copy started then restores the
# first and ends at once.
RunCase() {
    export ZINDRA_DEMO_HOLD_MS=30000 # the learning program stays until the case ends
    StartMenu
    WaitForLanguageScreen
    ToOptionsInEnglish
    Click 369 383 # option 3
    Probe wait 10000 iconic TApplication "$kAppTitle" || Fail "the menu did not minimise while the program ran"
    Expect form iconic
    Shot first-minimised
    local first=$menuPid
    StartMenu
    WaitExit "$menuPid" 30
    ExpectStatus 0
    kill -0 "$first" 2>/dev/null || Fail "the first copy ended too"
    Probe wait 5000 shown TForm1 - || Fail "the first copy was not restored"
    Expect app shown
    Shot first-restored
    Key ctrl+x
    WaitExit "$first" 20
    ExpectStatus 0
    ExpectMachineRestored
}
