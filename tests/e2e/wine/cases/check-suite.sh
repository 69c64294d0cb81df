# The suite check under Wine, through the Win32 back end's file calls: the demo suite with its
# Windows stand-in programs passes; a program that is no Windows executable and a missing frame
# are named, and the status says so.
RunCase() {
    local status=0
    (cd "$suite" && wine "$ZINDRA_E2E_ZINDRA" --check-suite --journal "$(winepath -w "$out/whole.jsonl")" \
        </dev/null >"$out/whole.txt" 2>&1) || status=$?
    [[ $status -eq 0 ]] || Fail "the demo suite gave status $status: $(grep -v '  sound  ' "$out/whole.txt")"
    grep -q '"path":"SOMME\\\\Somme.exe",.*"verdict":"sound","detail":"Windows program, x86-64' "$out/whole.jsonl" ||
        Fail "Somme.exe is not a sound Windows program: $(grep Somme "$out/whole.jsonl")"
    Log "the demo suite passes"

    cp "$suite/mp3p.ocx" "$suite/boeke/boeke.exe"
    rm "$suite/menu/intro_2.jpg"
    status=0
    (cd "$suite" && wine "$ZINDRA_E2E_ZINDRA" --check-suite --journal "$(winepath -w "$out/broken.jsonl")" \
        </dev/null >"$out/broken.txt" 2>&1) || status=$?
    [[ $status -eq 1 ]] || Fail "the broken suite gave status $status"
    grep -q '"path":"boeke\\\\boeke.exe",.*"verdict":"broken","detail":"not a Windows program: no MZ header' \
        "$out/broken.jsonl" || Fail "boeke.exe: $(grep boeke "$out/broken.jsonl")"
    grep -q '"path":"menu\\\\intro_2.jpg",.*"verdict":"missing"' "$out/broken.jsonl" ||
        Fail "intro_2.jpg: $(grep intro_2 "$out/broken.jsonl")"
    Log "a broken copy is named"
}
