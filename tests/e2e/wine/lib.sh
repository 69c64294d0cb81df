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

# How often a step that failed for reasons of the environment (Wine could not start a program, the
# X server or prefix could not be made) is tried again before the case fails, saying so.
kEnvironmentTries=3

Log() { printf '%s %s\n' "[$(date +%T.%N | cut -c1-12)]" "$*"; }

# The end of a log of this case, indented, for a failure report.
Tail() { [[ -s $out/$1 ]] && { echo "  --- last lines of $1:"; grep -v '^ALSA' "$out/$1" | tail -n 15 | sed 's/^/  | /'; }; }

# Ends the case with its cause, on standard error so that even a failure inside $(...) is seen.
Fail() {
    trap - ERR
    {
        Log "FAILED: $*"
        if [[ -n ${DISPLAY:-} ]]; then
            Shot failure || true
            echo "  --- the machine now:"
            RunProbe state "$kAppTitle" 2>/dev/null | sed 's/^/  | /' || true
        fi
        for log in zindra.log probe.err crash-probe.log wine-env.log; do Tail "$log" || true; done
    } >&2
    exit 1
}

# Any command that fails outside a test of its own still ends the case with its cause.
OnError() {
    local status=$1 line=$2 command=$3
    Fail "command '$command' failed with status $status (line $line)"
}
trap 'OnError "$?" "$LINENO" "$BASH_COMMAND"' ERR

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
    local exports try
    for ((try = 1; ; try++)); do
        if exports=$(ZINDRA_WINE_DESKTOP=$kDesktopSize "$cross/wine-env" start 2>"$out/wine-env.log"); then break; fi
        ((try < kEnvironmentTries)) ||
            Fail "environment: wine-env start failed $try times: $(tail -n 5 "$out/wine-env.log")"
        Log "environment: wine-env start failed (try $try of $kEnvironmentTries): $(tail -n 1 "$out/wine-env.log")"
    done
    eval "$exports"
    trap StopCase EXIT
    suite=$ZINDRA_WINE_RUN/suite
    cp -a "$ZINDRA_E2E_SUITE" "$suite"
    # The pointer starts where no picture reacts to it.
    xdotool mousemove 1000 10
    GiveKeysToLetters eacute ecircumflex
    storedMode=$(Fact stored-mode)
    Log "case $name: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX stored mode $storedMode"
}

# NOTE: xdotool types a letter the keyboard lacks by lending it a key for a moment and taking it
# back; Wine, reading that key late on a busy machine, then finds nothing on it and drops the
# letter. The letters the cases type get keys of their own, unused ones, before the menu starts.
GiveKeysToLetters() {
    local -a free
    mapfile -t free < <(xmodmap -pke | awk 'NF == 3 { print $2 }')
    ((${#free[@]} >= $#)) || Fail "environment: fewer than $# unused keys for the letters $*"
    local i=0 letter
    for letter in "$@"; do
        xmodmap -e "keycode ${free[i]} = $letter ${letter^}" || Fail "environment: cannot give $letter a key"
        i=$((i + 1))
    done
}

StopCase() {
    local status=$?
    trap - ERR
    "$cross/wine-env" stop >/dev/null 2>&1 || true
    exit "$status"
}

# Runs the probe program once; its output goes to stdout, its status is the probe's or Wine's.
RunProbe() {
    wine "$ZINDRA_E2E_PROBE" "$@" </dev/null 2>>"$out/probe.err"
}

# Runs the probe program; its output goes to stdout. Status 0: done or holds; 3: not so (the
# probe's verdict, for the caller to judge). A probe Wine could not run is tried again a few
# times, then the case fails as one of the environment.
Probe() {
    local status try output
    for ((try = 1; ; try++)); do
        status=0
        output=$(RunProbe "$@") || status=$?
        case $status in
            0 | 3) printf '%s' "$output${output:+$'\n'}"; return "$status" ;;
            2) Fail "the probe did not understand: probe $*" ;;
        esac
        ((try < kEnvironmentTries)) || Fail "environment: the probe did not run $try times (status $status): probe $*"
        Log "environment: the probe did not run (status $status, try $try of $kEnvironmentTries): probe $*"
        sleep 1
    done
}

# Starts the probe in the background for a command that stands up windows beside the menu; its
# first line of output (the ready line) is awaited.
ProbeBeside() {
    local name=$1
    shift
    wine "$ZINDRA_E2E_PROBE" "$@" </dev/null >"$out/$name.out" 2>>"$out/probe.err" &
    local pid=$! i
    for ((i = 0; i < 200; i++)); do
        [[ -s $out/$name.out ]] && { Log "$name: $(head -n 1 "$out/$name.out" | tr -d '\r')"; return 0; }
        kill -0 "$pid" 2>/dev/null || Fail "environment: the probe for $name ended at once"
        sleep 0.1
    done
    Fail "the probe for $name did not get ready in 20 s"
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
# NOTE: Wine drops the keys while the pointer is outside its desktop (after the switch to
# 800x600 the screen's right and bottom edges are), so the pointer is brought onto it first.
Focus() {
    local desktop WIDTH HEIGHT X Y
    desktop=$(xdotool search --name 'Wine desktop' | head -1)
    [[ -n $desktop ]] || Fail "no Wine desktop window"
    eval "$(xdotool getwindowgeometry --shell "$desktop" | grep -E '^(WIDTH|HEIGHT)=')"
    eval "$(xdotool getmouselocation --shell | grep -E '^(X|Y)=')"
    if ((X >= WIDTH || Y >= HEIGHT)); then xdotool mousemove 1 1; fi
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

# Fact $1 of the probe's state.
Fact() {
    local state
    state=$(Probe state "$kAppTitle")
    sed -n "s/^$1=//p" <<<"$state" | tr -d '\r'
}

# Expects each FACT=VALUE given of one look at the probe's state.
Expect() {
    local state pair fact got
    state=$(Probe state "$kAppTitle")
    state=${state//$'\r'/}
    for pair in "$@"; do
        fact=${pair%%=*}
        got=$(sed -n "s/^$fact=//p" <<<"$state")
        [[ $got == "${pair#*=}" ]] || Fail "$fact is '$got', expected '${pair#*=}'"
    done
    Log "$*"
}

# Waits up to $3 seconds for a line matching $2 in the case's file $1.
WaitForLine() {
    local file=$out/$1 pattern=$2 seconds=$3 i
    for ((i = 0; i < seconds * 10; i++)); do
        grep -q -- "$pattern" "$file" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

ExpectStatus() {
    [[ $exitStatus -eq $1 ]] || Fail "exit status $exitStatus, expected $1"
    Log "exit status $exitStatus"
}

# The machine as it was before the program: mode in use and stored, task bar and buttons. What a
# watchdog puts back comes a moment after the program has gone.
ExpectMachineRestored() {
    local size=${kStartMode%x*}
    Probe wait 10000 taskbar visible + mode "${size%x*}" "${size#*x}" + swap 0 ||
        Fail "the machine was not put back"
    Expect mode="$kStartMode" stored-mode="$storedMode" swap=0 taskbar=shown
}

# A normal end: the program put everything back itself, so its guard found nothing left to undo.
ExpectNothingLeftToUndo() {
    ! grep -h 'put back' "$out/zindra.log" || Fail "the program left changes for its guard to undo"
    Log "nothing left to undo"
}

# Walks from the language screen to the option screen in English with a typed name.
ToOptionsInEnglish() {
    Click 340 502 # English
    Type ANNA
    Click 588 508 # right hand
}

# The crash probe changes the machine as the menu does, then dies by $1 when its application
# window is asked to close (or, with a trigger function $4, when that function ends it); it must
# end with status $2 ("-": any) and leave the machine as it was, put back by $3: "program" (its
# own handlers, the process being sound) or "watchdog" (after a death the process cannot see or
# should not act on).
CrashCase() {
    local kind=$1 status=$2 restorer=$3 trigger=${4:-}
    wine "$ZINDRA_E2E_CRASH_PROBE" "$kind" </dev/null >>"$out/crash-probe.log" 2>&1 &
    local pid=$!
    Probe wait 15000 window TApplication "Zindra crash probe ready" || Fail "the crash probe did not get ready"
    Expect mode="$kMenuMode" taskbar=hidden swap=1
    Shot "changed-before-$kind"
    if [[ -n $trigger ]]; then
        "$trigger"
    else
        Probe close TApplication "Zindra crash probe ready" || Fail "cannot reach the crash probe"
    fi
    WaitExit "$pid" 20
    [[ $status == - ]] || ExpectStatus "$status"
    local said="zindra: put back what the program left changed"
    [[ $restorer == watchdog ]] && said="zindra watchdog: the program ended without putting back"
    WaitForLine crash-probe.log "$said" 10 || Fail "no '$said' from the $restorer"
    grep -v '^ALSA' "$out/crash-probe.log" || true
    ExpectMachineRestored
    Shot "restored-after-$kind"
    mv "$out/crash-probe.log" "$out/crash-probe-$kind.log"
}
