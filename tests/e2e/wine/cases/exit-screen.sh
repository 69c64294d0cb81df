# The way out: the option screen's exit button brings up the exit screen over the menu; the advert
# in its viewer scrolls with the wheel over the right-hand bar and by dragging that bar's handle,
# and the screen's own exit button ends the program with the machine put back.

# The advert's visible part (the viewer less its bars) out of a screenshot.
ViewerShot() {
    Shot "$1"
    convert "$out/$1.png" -crop 600x440+80+68 +repage "$out/$1-viewer.png"
}

# Fails unless the viewer shows something else in shot $2 than in shot $1.
ExpectScrolled() {
    local differing
    differing=$(compare -metric AE "$out/$1-viewer.png" "$out/$2-viewer.png" null: 2>&1 || true)
    Log "$2: $differing pixels of the advert differ from $1"
    [[ $differing =~ ^[0-9]+$ ]] || Fail "cannot compare $1 with $2: $differing"
    ((differing > 1000)) || Fail "the advert did not scroll between $1 and $2 ($differing pixels differ)"
}

RunCase() {
    StartMenu
    WaitForLanguageScreen
    ToOptionsInEnglish
    Click 738 566 # the option screen's exit button
    Probe wait 20000 shown Tadvertform advertform || Fail "the exit screen did not appear"
    Expect form=shown
    sleep 1
    ViewerShot exit-screen
    # Ten notches towards the user over the right-hand bar scroll the advert down.
    xdotool mousemove --sync 711 300
    for _ in 1 2 3 4 5 6 7 8 9 10; do xdotool click 5; sleep 0.05; done
    sleep 0.5
    ViewerShot after-wheel
    ExpectScrolled exit-screen after-wheel
    # The handle, where ten notches left it, dragged a hundred pixels down.
    xdotool mousemove --sync 711 189 mousedown 1
    sleep 0.2
    xdotool mousemove --sync 711 240
    sleep 0.1
    xdotool mousemove --sync 711 289
    sleep 0.2
    xdotool mouseup 1
    sleep 0.5
    ViewerShot after-drag
    ExpectScrolled after-wheel after-drag
    Click 762 570 # the exit screen's button
    WaitExit "$menuPid" 20
    ExpectStatus 0
    ExpectMachineRestored
    Expect form=missing
    ExpectNothingLeftToUndo
}
