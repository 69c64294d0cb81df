# The language screen under Wine is, pixel for pixel, the simulated desktop's: both draw in
# software, so any difference is the back end's (a channel order, a row, an offset).
RunCase() {
    [[ -x ${ZINDRA_E2E_HOST_ZINDRA:-} ]] || Skip "no zindra for this machine (configure with ZINDRA_HOST_ZINDRA)"
    printf 'wait 4000\nshot language\nquit\n' >"$out/walk"
    "$ZINDRA_E2E_HOST_ZINDRA" --headless --suite "$suite" --script "$out/walk" --shots "$out/headless" \
        >"$out/headless.log" 2>&1 || Fail "the headless run failed: $(cat "$out/headless.log")"
    StartMenu
    WaitForLanguageScreen
    import -window root -crop 800x600+0+0 +repage "$out/wine-language.png"
    local differing
    differing=$(compare -metric AE "$out/headless/language.png" "$out/wine-language.png" "$out/difference.png" 2>&1) ||
        true
    Log "pixels that differ: $differing"
    [[ $differing == 0 ]] || Fail "$differing pixels differ (see $out/difference.png)"
    Key ctrl+x
    WaitExit "$menuPid" 20
    ExpectStatus 0
}
