#!/usr/bin/env bash
# Runs zindra headless on a fresh demo suite with scripts and checks its exit status, its
# screenshots and its journal.
set -euo pipefail
zindra="$1" makesuite="$2" program="$3" recorder="$4" here="$5"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$makesuite" "$work/suite" --program "$program" --recorder "$recorder" --no-speech >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_line() {  # journal, pattern, what
    grep -q -- "$2" "$1" || fail "$3 (no line matching $2)"
}

# 1. The walk: exit 0, the screenshots, the journal of everything done to the machine.
"$zindra" --headless --suite "$work/suite" --programs fake --script "$here/walk.script" \
    --shots "$work/shots" --journal "$work/walk.jsonl" >/dev/null || fail "the walk ended with $?"
for shot in language options back-from-program back-hint; do
    [ "$(head -c 8 "$work/shots/$shot.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] \
        || fail "screenshot $shot is not a PNG"
done
j="$work/walk.jsonl"
expect_line "$j" '"ev":"display-mode","w":800,"h":600,"bpp":32,"hz":60,"stored":true' "switch to 800x600"
expect_line "$j" '"ev":"taskbar","visible":false' "task bar hidden"
expect_line "$j" '"ev":"mouse-swap","swapped":true' "buttons swapped by the left hand"
expect_line "$j" '"ev":"shell-execute","verb":"open","file":"Z:.*\\\\\\\\boeke\\\\boeke.exe","params":"\\"\*Z:' "option 3 started"
# The name was typed as "anél": upper-cased by code page 1252, journalled as UTF-8.
expect_line "$j" '"params":".*\\"\*ANÉL#\\" \\"\*#\\" \\"\*#\\" \\"\*TRUE#\\" \\"\*ENG#\\"' "the argument line"
expect_line "$j" '"state":"minimized"' "minimised while the program runs"
expect_line "$j" '"ev":"process-exit","code":0' "the program's end"
expect_line "$j" '"file-read","path":"Z:.*menu\\\\m_3a.jpg"' "the Afrikaans option screen"
expect_line "$j" '"ev":"cursor","handle":[1-9][0-9]*,"size":\[32,32\],"hotspot":\[5,2\]' "the hand pointer over a zone"
expect_line "$j" '"ev":"window","title":"","class":"TZkShapeHintWindow","state":"normal"' "the back button's hint"
# Music: the first track to its end, a random track, held when the program starts, a new random
# track when it ends.
music=$(grep '"ev":"midi"' "$j" | sed 's/.*"op":"\([a-z]*\)","file":".*\\\\\([^\\]*\)".*/\1 \2/' | tr '\n' ',')
case "$music" in
    "open mm8-select.mid,play mm8-select.mid,end mm8-select.mid,close mm8-select.mid,open track-"*",seek track-"*",play track-"*",stop track-"*",close track-"*",open track-"*",seek track-"*",play track-"*) ;;
    *) fail "the music went $music" ;;
esac
grep -B1 '"verb":"open"' "$j" | head -1 | grep -q '"op":"stop"' || fail "the music is not stopped as the program starts"
tail -n 12 "$j" | grep -q '"ev":"mouse-swap","swapped":false' || fail "buttons reset at the end"
tail -n 12 "$j" | grep -q '"ev":"taskbar","visible":true' || fail "task bar shown at the end"
tail -n 12 "$j" | grep -q '"ev":"display-mode","w":1024,"h":768' || fail "display restored at the end"
tail -n 1 "$j" | grep -q '"ev":"exit","code":0' || fail "the last line is the exit"
# Virtual time: the language screen comes 2900 ms after the first frame, whatever the machine's speed.
first=$(grep -m1 'intro_1.jpg' "$j" | sed 's/{"t":\([0-9]*\).*/\1/')
lang=$(grep -m1 'menu\\\\m_1.jpg' "$j" | sed 's/{"t":\([0-9]*\).*/\1/')
[ $((lang - first)) -eq 2900 ] || fail "language screen at $lang, first frame at $first"

# 2. A bad script is refused before anything runs.
printf 'wait 10\nclick 1\n' > "$work/bad.script"
set +e
"$zindra" --headless --suite "$work/suite" --script "$work/bad.script" 2>"$work/err.txt"
status=$?
set -e
[ "$status" -eq 2 ] || fail "a bad script gave status $status"
grep -q "script line 2" "$work/err.txt" || fail "the error names the line"

# 3. An unknown option is refused with the usage.
set +e
"$zindra" --frobnicate 2>"$work/err.txt"
status=$?
set -e
[ "$status" -eq 2 ] || fail "an unknown option gave status $status"
grep -q "usage: zindra" "$work/err.txt" || fail "no usage text"

# 4. Without a script the program runs until it is asked to quit after the grace time.
"$zindra" --headless --suite "$work/suite" --programs fake --journal "$work/idle.jsonl" >/dev/null \
    || fail "the idle run ended with $?"
grep -q '"ev":"script","note":"grace time over' "$work/idle.jsonl" || fail "no grace-time note"
tail -n 1 "$work/idle.jsonl" | grep -q '"t":60000,"ev":"exit","code":0' || fail "the idle run did not end at 60 s"
echo "e2e headless walk: all checks passed"
