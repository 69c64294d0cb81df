# A learning program (the recording program in its place) gets the seven fields of the argument
# line; the menu waits minimised and comes back when it ends.
RunCase() {
    cp "$suite/recorder/recorder.exe" "$suite/boeke/boeke.exe"
    export ZINDRA_RECORD_HOLD_MS=3000
    StartMenu
    WaitForLanguageScreen
    ToOptionsInEnglish
    Shot options
    Click 369 383 # option 3: boeke
    Probe wait 10000 iconic TForm1 - || Fail "the menu did not minimise while the program ran"
    Probe wait 20000 shown TForm1 - || Fail "the menu did not come back when the program ended"
    Shot back-from-the-program
    local record=$suite/boeke/boeke.exe.args.json
    [[ -f $record ]] || Fail "the program left no record"
    cp "$record" "$out/"
    local suiteFolder
    suiteFolder=$(winepath -w "$suite")
    python3 - "$record" "$suiteFolder" <<'PY' || Fail "the argument line is not as expected"
import json, sys
args = json.load(open(sys.argv[1]))
suite = sys.argv[2].rstrip("\\") + "\\"
print("recorded:", args)
assert args[0].lower().endswith("boeke.exe"), args[0]
fields = args[1:]
assert len(fields) == 7, fields
assert fields[0] == "*" + suite + "#", (fields[0], suite)
assert fields[1:6] == ["*ANNA#", "*#", "*#", "*TRUE#", "*ENG#"], fields[1:6]
assert fields[6].startswith("*") and fields[6].endswith("documents\\#"), fields[6]
PY
    Key ctrl+x
    WaitExit "$menuPid" 20
    ExpectStatus 0
    ExpectMachineRestored
}
