# The pointer over a zone is the program's own hand (32 by 32, hot spot 5, 2), over the
# background not; resting on the exit button brings up the shaped hint: a window of its own
# class, top-most, taking no activation or input, next to the pointer and inside the screen.
#
# The picture of the pointer is read where it can be: by the probe through the system (Windows
# lets any program read the cursor in use), else from the X server, which shows what Wine made of
# the program's cursor (Wine keeps another program's cursor out of the probe's reach).
PointerAt() {
    xdotool mousemove --sync "$1" "$2"
    sleep 0.4
}

# The pointer's size, hot spot and rows as name=value lines without a prefix.
PointerPicture() {
    local probed
    probed=$(Probe cursor | tr -d '\r')
    if grep -qx 'cursor-readable=1' <<<"$probed"; then
        sed -n 's/^cursor-//p' <<<"$probed"
    else
        [[ -x $out/x-cursor ]] || cc -O2 -o "$out/x-cursor" "$here/probes/XCursor.c" -lX11 -lXfixes ||
            Fail "cannot build the X cursor reader (libx11-dev, libxfixes-dev)"
        "$out/x-cursor" | sed -n 's/^x-cursor-//p'
    fi
}

IsHand() {
    local picture=$1
    grep -qx 'size=32x32' <<<"$picture" && grep -qx 'hotspot=5,2' <<<"$picture" &&
        # The finger's tip and the knuckles with the thumb: the hand of assets/cursors/hand.cur.
        grep -qx 'row-01=....XX..........................' <<<"$picture" &&
        grep -qx 'row-12=XoXXooXooXooXooX................' <<<"$picture"
}

ExpectHand() {
    local picture
    picture=$(PointerPicture)
    Log "pointer over $1: $(grep -v '^row' <<<"$picture" | tr '\n' ' ')"
    IsHand "$picture" || Fail "the pointer over $1 is not the program's hand: $(tr '\n' ' ' <<<"$picture")"
}

# The hint is up from half a second after the pointer comes until two and a half seconds later;
# a busy machine may start the probe too late to see it, so the pointer comes again, twice at most.
ExpectHintOverExit() {
    local info left top width height attempt
    for attempt in 1 2 3; do
        PointerAt 700 100
        xdotool mousemove --sync 738 566
        info=$(Probe window-info TZkShapeHintWindow - 4000 | tr -d '\r') && break
        Log "no hint seen on attempt $attempt"
    done
    [[ -n $info ]] || Fail "no hint window over the exit button"
    Log "hint: $(tr '\n' ' ' <<<"$info")"
    for fact in visible=1 topmost=1 noactivate=1 disabled=1 foreground=0; do
        grep -qx "$fact" <<<"$info" || Fail "the hint window is not $fact"
    done
    IFS=, read -r left top width height <<<"$(sed -n 's/^bounds=//p' <<<"$info")"
    ((left >= 0 && top >= 0 && left + width < 800 && top + height < 600)) || Fail "the hint leaves the screen"
    ((738 < left || 738 >= left + width || 566 < top || 566 >= top + height)) || Fail "the hint covers the pointer"
}

RunCase() {
    StartMenu
    WaitForLanguageScreen
    PointerAt 392 383 # the Afrikaans zone
    ExpectHand "the Afrikaans zone"
    Shot hand-over-a-zone
    PointerAt 700 100 # the background
    IsHand "$(PointerPicture)" && Fail "the pointer over the background is the hand"
    ToOptionsInEnglish
    PointerAt 738 566 # the exit button
    ExpectHand "the exit button"
    ExpectHintOverExit
    Expect form=shown
    Shot exit-hint
    Key ctrl+x
    WaitExit "$menuPid" 20
    ExpectStatus 0
}
