# Choosing the left hand swaps the mouse buttons; leaving resets them.
RunCase() {
    StartMenu
    WaitForLanguageScreen
    Click 340 502 # English
    Type ANNA
    Shot name-typed
    Click 197 508 # left hand
    Probe wait 5000 swap 1 || Fail "the left hand did not swap the buttons"
    Shot options-left-handed
    Key ctrl+x
    WaitExit "$menuPid" 20
    ExpectStatus 0
    ExpectMachineRestored
    ExpectNothingLeftToUndo
}
