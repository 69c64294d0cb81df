#!/usr/bin/env bash
# zindra --check-suite on a fresh demo suite, on a copy broken several ways at once, and on
# folders that are not suites: exit status, text report and journal.
set -euo pipefail
zindra="$1" makesuite="$2" program="$3" recorder="$4"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$makesuite" "$work/suite" --program "$program" --recorder "$recorder" --no-speech >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
status_of() { set +e; "$@" >"$work/out.txt" 2>"$work/err.txt"; echo $?; set -e; }

# 1. The demo suite passes, named or as the current folder.
[ "$(status_of "$zindra" --check-suite "$work/suite" --journal "$work/whole.jsonl")" -eq 0 ] \
    || fail "the demo suite did not pass: $(tail -n 3 "$work/out.txt")"
tail -n 1 "$work/out.txt" | grep -q ": the menu will find everything it needs$" || fail "no summary line"
[ "$(grep -c '"ev":"check",' "$work/whole.jsonl")" -eq 58 ] || fail "not one check line for each of 58 files"
[ "$(cd "$work/suite" && status_of "$zindra" --check-suite)" -eq 0 ] || fail "the current folder did not pass"

# 2. A copy broken several ways at once.
cp -r "$work/suite" "$work/broken"
b="$work/broken"
rm "$b/menu/intro_5.jpg"
head -c 20000 "$work/suite/menu/m_1.jpg" > "$b/menu/m_1.jpg"
cp "$b/Music/track-b.mid" "$b/Sounds-afr/instruk_4.wav"
rm "$b/onthou/onthou.exe"
mv "$b/menu/m_3a_6.jpg" "$b/menu/M_3a_6.jpg"
[ "$(status_of "$zindra" --check-suite "$b" --journal "$work/broken.jsonl")" -eq 1 ] || fail "the broken copy passed"
j="$work/broken.jsonl"
expect() {  # path, verdict, part of the detail
    grep -F "\"path\":\"$1\"" "$j" | grep -F "\"verdict\":\"$2\"" | grep -qF -- "$3" \
        || fail "$1: expected $2 with $3, got $(grep -F "\"path\":\"$1\"" "$j")"
}
expect 'menu\\intro_5.jpg' missing 'Animation frame does not exists!'
expect 'menu\\m_1.jpg' broken 'Premature end of JPEG file'
expect 'Sounds-afr\\instruk_4.wav' broken 'EInvalidWave: TZkWave: Cannot open file'
expect 'onthou\\onthou.exe' missing 'The file you selected does not exists!'
expect 'menu\\m_3a_6.jpg' case 'on disk as menu\\M_3a_6.jpg'
[ "$(grep -c '"verdict":"sound"' "$j")" -eq 53 ] || fail "the other 53 files are not all sound"
grep -q '"ev":"check-summary".*"missing":2,"broken":2,"case":1,"status":1}' "$j" || fail "summary event"
grep -q "^  menu\\\\intro_5.jpg  *missing  *intro, frame 5  *warning" "$work/out.txt" || fail "text line of a missing frame"

# 3. Folders that are not suites.
mkdir "$work/empty"
[ "$(status_of "$zindra" --check-suite "$work/empty")" -eq 2 ] || fail "an empty folder is a suite"
grep -q "^not a suite" "$work/out.txt" || fail "no not-a-suite line"
[ "$(status_of "$zindra" --check-suite "$work/nowhere")" -eq 2 ] || fail "a missing folder is a suite"
grep -q "not a suite" "$work/err.txt" || fail "no reason for a missing folder"
echo "e2e check-suite: all checks passed"
