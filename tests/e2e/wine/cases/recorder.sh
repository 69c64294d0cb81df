# A learning program (the recording program in its place) gets the seven fields of the argument
# line, byte for byte as the system hands it over, with the typed name upper-cased by the Windows
# code page (é and ê become É and Ê); the menu waits minimised and comes back with the keyboard,
# still the one entry in the task bar.
RunCase() {
    cp "$suite/recorder/recorder.exe" "$suite/boeke/boeke.exe"
    export ZINDRA_RECORD_HOLD_MS=3000
    StartMenu
    WaitForLanguageScreen
    Click 340 502 # English
    Type "anél fêre"
    Click 588 508 # right hand
    Shot options
    Click 369 383 # option 3: boeke
    Probe wait 10000 iconic TForm1 - || Fail "the menu did not minimise while the program ran"
    Probe wait 20000 shown TForm1 - || Fail "the menu did not come back when the program ended"
    Shot back-from-the-program
    Probe wait 5000 foreground TForm1 || Fail "the menu came back without the keyboard"
    Expect listed=1
    ExpectCommandLine "$suite/boeke/boeke.exe.args.json.cmdline" "ANÉL FÊRE" ENG
    Key ctrl+x
    WaitExit "$menuPid" 20
    ExpectStatus 0
    ExpectMachineRestored
    ExpectNothingLeftToUndo
}

# The recorded command line after the program's own name must be the seven fields exactly, in
# code page 1252: "*SUITE\#" "*NAME#" "*#" "*#" "*TRUE#" "*LANGUAGE#" "*DATA\#".
ExpectCommandLine() {
    local LC_ALL=C record=$1 name=$2 language=$3 suiteFolder allUsers
    [[ -f $record ]] || Fail "the program left no command line"
    cp "$record" "$out/"
    suiteFolder=$(winepath -w "$suite" | tr -d '\r')
    allUsers=$(Probe env ALLUSERSPROFILE | tr -d '\r') || Fail "no ALLUSERSPROFILE"
    local expected="\"*${suiteFolder%\\}\\#\" \"*$name#\" \"*#\" \"*#\" \"*TRUE#\" \"*$language#\" \"*${allUsers,,}\\documents\\#\""
    printf '%s' "$expected" | iconv -f UTF-8 -t CP1252 >"$out/expected-tail" || Fail "cannot write $expected in 1252"
    # The line is the program's path (quoted or not), a blank, then the parameters.
    local line
    line=$(cat "$record")
    if [[ $line == '"'* ]]; then line=${line#\"*\"}; else line=${line#* }; fi
    printf '%s' "${line# }" >"$out/recorded-tail"
    cmp -s "$out/expected-tail" "$out/recorded-tail" ||
        Fail "the argument line is not as expected:
  expected: $(iconv -f CP1252 -t UTF-8 "$out/expected-tail")
  recorded: $(iconv -f CP1252 -t UTF-8 "$out/recorded-tail")"
    Log "argument line: $(iconv -f CP1252 -t UTF-8 "$out/recorded-tail")"
}
