# The menu's manifest makes it DPI aware. It switches the screen to 800x600, hides the task bars
# of every monitor and covers the screen. Ctrl+Alt+Z is taken from every program and does nothing;
# Ctrl+X ends the menu even from another program's window, and the menu itself puts everything back.
RunCase() {
    ExpectManifest
    ProbeBeside taskbars taskbars 2 120000 # two further monitors' task bars
    Expect secondary=shown
    StartMenu
    WaitForLanguageScreen
    Shot language-screen
    Expect mode="$kMenuMode" stored-mode="$kMenuMode" taskbar=hidden secondary=hidden form=shown \
        form-bounds=0,0,800,600 app=hidden foreground=TForm1
    ProbeBeside cover cover 60000
    Probe wait 5000 foreground ZindraCover || Fail "another program's window did not come to the front"
    Key q # proves the other window has the keyboard
    Key ctrl+alt+z
    WaitForLine cover.out "key=81" 5 || Fail "the other program's window did not get the keyboard"
    Expect mode="$kMenuMode" form=shown # the menu did nothing
    Key ctrl+x
    WaitExit "$menuPid" 20
    ExpectStatus 0
    ! grep -q "key=90" "$out/cover.out" || Fail "Ctrl+Alt+Z reached the other program: it was not taken"
    ! grep -q "key=88" "$out/cover.out" || Fail "Ctrl+X reached the other program: it was not taken"
    ExpectMachineRestored
    Expect form=missing secondary=shown
    ExpectNothingLeftToUndo
    Shot after-exit
}

# The system reads zindra.exe's manifest as declaring system DPI awareness and the version 6
# common controls (Wine measures in real pixels at any scale, so only the declaration shows here).
ExpectManifest() {
    local settings wanted
    settings=$(Probe manifest "$(winepath -w "$ZINDRA_E2E_ZINDRA")") || Fail "zindra.exe has no manifest the system takes"
    for wanted in dpiAware=true dpiAwareness=system common-controls-6=1; do
        grep -qx "$wanted" <<<"${settings//$'\r'/}" || Fail "the manifest does not give $wanted: $settings"
    done
    Log "manifest: ${settings//$'\n'/ }"
}
