# The audio mixer component on Windows' own mixer calls (mixer-check): with no audio driver the
# machine has no mixer and every MixerId change does nothing; with a null audio output, which the
# case makes itself, the component opens device 0 and describes it as the system does.
RunMixerCheck() {
    local tests=$1 log=$out/mixer-check-${1%%.*}.log
    shift
    env "$@" wine "$ZINDRA_E2E_MIXER_CHECK" --gtest_filter="$tests" </dev/null >"$log" 2>&1 ||
        { grep -v '^ALSA' "$log" || true; Fail "mixer-check $tests failed (log: $log)"; }
    grep -q '^\[  PASSED  \]' "$log" || Fail "mixer-check $tests ran no test"
    Log "mixer-check $tests passed"
}

RunCase() {
    [[ -f $ZINDRA_E2E_MIXER_CHECK ]] || Fail "missing $ZINDRA_E2E_MIXER_CHECK: build it first"
    local drivers=winealsa.drv,winepulse.drv,wineoss.drv
    RunMixerCheck 'MixerWithoutDevices.*' WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$drivers=d"
    # ALSA's default output discards what it is given; the pulse driver stays off so that a
    # sound server on the machine does not stand in for it.
    local conf=$ZINDRA_WINE_RUN/null-output.conf
    echo 'pcm.!default { type null }' >"$conf"
    RunMixerCheck 'MixerWithDevices.*' WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winepulse.drv=d" \
        ALSA_CONFIG_PATH="$conf"
    grep -v '^ALSA' "$out/mixer-check-MixerWithDevices.log" | grep -E '^(device|destination)' || true
}
