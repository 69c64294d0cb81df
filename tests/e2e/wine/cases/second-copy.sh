# A second copy started while the first waits minimised (a learning program runs) restores the
# first and ends at once; one started while the first is shown but covered by another program's
# window brings it to the front. Neither touches the mode, the task bar or the buttons, and the
# first copy comes forward with the keyboard.
RunCase() {
    export ZINDRA_DEMO_HOLD_MS=60000 # the learning program stays until the case ends
    StartMenu
    WaitForLanguageScreen
    ToOptionsInEnglish
    Click 369 383 # option 3
    Probe wait 10000 iconic TApplication "$kAppTitle" || Fail "the menu did not minimise while the program ran"
    Expect form=iconic
    Shot first-minimised
    local first=$menuPid
    HandOver "$first"
    Probe wait 5000 shown TForm1 - || Fail "the first copy was not restored"
    Probe wait 5000 foreground TForm1 || Fail "the first copy came back without the keyboard"
    Expect listed=1
    Shot first-restored

    ProbeBeside cover cover 60000
    Probe wait 5000 foreground ZindraCover || Fail "another program's window did not come to the front"
    Expect at-centre=ZindraCover
    HandOver "$first"
    Probe wait 5000 foreground TForm1 || Fail "the covered first copy did not come to the front"
    Expect at-centre=TForm1
    Shot first-in-front

    Key ctrl+x
    WaitExit "$first" 20
    ExpectStatus 0
    ExpectMachineRestored
    ExpectNothingLeftToUndo
}

# Starts a further copy, which must end at once with the machine as the first copy keeps it.
HandOver() {
    local first=$1
    StartMenu
    WaitExit "$menuPid" 30
    ExpectStatus 0
    kill -0 "$first" 2>/dev/null || Fail "the first copy ended too"
    Expect mode="$kMenuMode" taskbar=hidden swap=0
}
