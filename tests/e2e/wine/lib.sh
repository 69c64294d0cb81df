# Shared steps of the end-to-end cases under Wine (sourced by run-case).
#
# Each case gets its own X server, Wine prefix (with a 1024x768 desktop named "shell", so it has a
# task bar and display modes) and copy of the demo suite, all removed when the case ends. Screen
# coordinates are the desktop's: the X root and the Wine desktop share their origin.

cross=$(cd "$here/../../../scripts/cross" && pwd)
kDesktopSize=1024x768
kStartMode=1024x768x32@60
kMenuMode=800x600x32@60
kAppTitle="Zindra Gr 67"

Log() { printf '%s %s\n' "[$(date +%T.%N | cut -c1-12)]" "$*"; }

Fail() {
    Log "FAILED: $*"
    if [[ -n ${DISPLAY:-} ]]; then
        Shot failure || true
        Probe state "$kAppTitle" || true
    fi
    exit 1
}

Skip() {
    echo "skipped: $*"
    exit 77
}

# Wine's prefix, server and X server for this case only; ended however the case ends.
StartCase() {
    local name=$1
    for tool in Xvfb wine xdotool import winepath; do
        command -v "$tool" >/dev/null || Skip "no $tool (scripts/cross/install-packages installs it)"
    done
    for file in "$ZINDRA_E2E_ZINDRA" "$ZINDRA_E2E_PROBE" "$ZINDRA_E2E_CRASH_PROBE"; do
        [[ -f $file ]] || Fail "missing $file: build it first"
    done
    [[ -d $ZINDRA_E2E_SUITE ]] || Skip "no demo suite at $ZINDRA_E2E_SUITE (scripts/cross/build makes it)"
    out=$ZINDRA_E2E_OUT
    rm -rf "$out" && mkdir -p "$out"
    # A case never shares the Wine environment a test runner may have started.
    unset ZINDRA_WINE_ENV WINEPREFIX DISPLAY ZINDRA_WINE_RUN ZINDRA_XVFB_PID
    local exports
    exports=$(ZINDRA_WINE_DESKTOP=$kDesktopSize "$cross/wine-env" start 2>"$out/wine-env.log") ||
        Fail "wine-env start: $(cat "$out/wine-env.log")"
    eval "$exports"
    trap StopCase EXIT
    suite=$ZINDRA_WINE_RUN/suite
    cp -a "$ZINDRA_E2E_SUITE" "$suite"
    # The pointer starts where no picture reacts to it.
    xdotool mousemove 1000 10
    Log "case $name: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
}

StopCase() {
    local status=$?
    "$cross/wine-env" stop >/dev/null 2>&1 || true
    return "$status"
}

# Runs the probe program; its output goes to stdout.
Probe() {
    wine "$ZINDRA_E2E_PROBE" "$@" </dev/null 2>>"$out/probe.err"
}

# Starts the menu in the suite copy (the suite folder is the current folder at start).
StartMenu() {
    (cd "$suite" && exec wine "$ZINDRA_E2E_ZINDRA" "$@" </dev/null >>"$out/zindra.log" 2>&1) &
    menuPid=$!
    Log "menu started"
}

# Waits up to $2 seconds for process $1 to end; its exit status goes to $exitStatus.
WaitExit() {
    local pid=$1 seconds=$2
    for ((i = 0; i < seconds * 10; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && Fail "process $pid still running after $seconds s"
    exitStatus=0
    wait "$pid" || exitStatus=$?
}

# The menu's window is shown at 800x600 and the intro has had its time.
WaitForLanguageScreen() {
    Probe wait 20000 shown TForm1 - || Fail "the menu's window did not appear"
    Probe wait 5000 mode 800 600 || Fail "the display mode did not change to 800x600"
    sleep 4  # the intro's frames take about 2.9 s
    Log "language screen"
}

# Input goes to the Wine desktop's X window, which hands it to the Windows window in front.
Focus() {
    local desktop
    desktop=$(xdotool search --name 'Wine desktop' | head -1)
    [[ -n $desktop ]] || Fail "no Wine desktop window"
    xdotool windowfocus --sync "$desktop"
}

Click() {
    xdotool mousemove --sync "$1" "$2" click 1
    Log "click $1,$2"
    sleep 0.6
}

Key() {
    Focus
    xdotool key "$1"
    Log "key $1"
}

Type() {
    Focus
    xdotool type --delay 60 "$1"
    Log "typed $1"
    sleep 0.3
}

Shot() {
    import -window root "$out/$1.png"
}

# Expects fact $1 of the probe's state to be $2.
Expect() {
    local fact=$1 wanted=$2 state got
    state=$(Probe state "$kAppTitle")
    got=$(sed -n "s/^$fact=//p" <<<"$state" | tr -d '\r')
    [[ $got == "$wanted" ]] || Fail "$fact is '$got', expected '$wanted'"
    Log "$fact=$got"
}

ExpectStatus() {
    [[ $exitStatus -eq $1 ]] || Fail "exit status $exitStatus, expected $1"
    Log "exit status $exitStatus"
}

# The machine as it was before the program: mode, task bar and buttons.
ExpectMachineRestored() {
    Probe wait 5000 taskbar visible || Fail "the task bar did not come back"
    Expect mode "$kStartMode"
    Expect swap 0
    Expect taskbar shown
}

# Walks from the language screen to the option screen in English with a typed name.
ToOptionsInEnglish() {
    Click 340 502 # English
    Type ANNA
    Click 588 508 # right hand
}

# The crash probe changes the machine as the menu does, then dies by $1 when its application
# window is asked to close (or, with a trigger function $3, when that function ends it); it must
# end with status $2 ("-": any) and leave the machine as it was.
CrashCase() {
    local kind=$1 status=$2 trigger=${3:-}
    wine "$ZINDRA_E2E_CRASH_PROBE" "$kind" </dev/null >>"$out/crash-probe.log" 2>&1 &
    local pid=$!
    Probe wait 15000 window TApplication "Zindra crash probe ready" || Fail "the crash probe did not get ready"
    Expect mode "$kMenuMode"
    Expect taskbar hidden
    Expect swap 1
    Shot changed
    if [[ -n $trigger ]]; then
        "$trigger"
    else
        Probe close TApplication "Zindra crash probe ready" || Fail "cannot reach the crash probe"
    fi
    WaitExit "$pid" 20
    grep -v '^ALSA' "$out/crash-probe.log" || true
    [[ $status == - ]] || ExpectStatus "$status"
    ExpectMachineRestored
    Shot restored
}
