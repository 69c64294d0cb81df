# The menu switches the screen to 800x600, hides the task bar, covers the screen, and Ctrl+X ends
# it with everything put back.
RunCase() {
    StartMenu
    WaitForLanguageScreen
    Shot language-screen
    Expect mode "$kMenuMode"
    Expect taskbar hidden
    Expect form shown
    Expect form-bounds 0,0,800,600
    Expect app hidden
    Key ctrl+x
    WaitExit "$menuPid" 20
    ExpectStatus 0
    Expect form missing
    ExpectMachineRestored
    Shot after-exit
}
