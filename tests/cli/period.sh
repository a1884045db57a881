#!/usr/bin/env bash
# period import / export as a user runs them.
set -u
cli=$1
base=$(mktemp -d)
trap 'rm -rf "$base"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
file="$base/Data2/令和08年給与･賞与.dat"

good='{"Kihon":{"Syamei":"株式会社テスト","Nissu":21,"Jikan":168.5,"KenRitu":4.955},
 "Syain":[{"slot":1,"Simei":"山田　太郎","UniqueKey":"260101_090000","Keitai":1,"Chingin1":250000,"MyNo":123456789012}],
 "Kintai":[{"slot":1,"SyukkinNissu":20,"ZangyoJikan":10.25}],
 "Sikyu":[{"slot":1,"Kihonkyu":250000,"Manual":[true]}]}'

# Errors: exit code 2, a message naming the field, nothing written.
expect_refused() { # json pattern
    out=$(printf '%s' "$1" | "$cli" --base "$base" period import --year 2026 --period 4 2>&1)
    rc=$?
    [ $rc -eq 2 ] || fail "expected exit 2, got $rc for $1"
    echo "$out" | grep -q -- "$2" || fail "message '$out' does not name $2"
    [ ! -e "$file" ] || fail "a refused import wrote the file"
}
expect_refused '{"Kihon":' 'not valid JSON'
expect_refused '{"Kihon":{"Syameii":"x"}}' 'Kihon.Syameii'
expect_refused '{"Syain":[{"slot":1,"Simei":"寿限無寿限無五劫の擦り切れ海砂利"}]}' 'Syain\[0\].Simei'
expect_refused '{"Syain":[{"slot":91}]}' 'slot'
expect_refused '{"Sikyu":[{"slot":1,"Kihonkyu":3000000000}]}' 'Kihonkyu'
expect_refused '{"Syain":[{"slot":2,"SeqNo":-1}]}' 'SeqNo'
"$cli" --base "$base" period import --year 2026 --period 4 </dev/null >/dev/null 2>&1; [ $? -eq 2 ] || fail "empty input accepted"
"$cli" --base "$base" period export --year 2026 >/dev/null 2>&1; [ $? -eq 2 ] || fail "missing --period accepted"

printf '%s' "$good" | "$cli" --base "$base" period import --year 2026 --period 4 || fail "import failed"
[ "$(stat -c %s "$file")" = 1349288 ] || fail "file size"
"$cli" --base "$base" period export --year 2026 --period 4 >"$base/a.json" || fail "export failed"
grep -q '"Simei": "山田　太郎"' "$base/a.json" || fail "name not exported"
grep -q '"ZangyoJikan": 10.25' "$base/a.json" || fail "hours not exported"
grep -q '"MyNo": 123456789012' "$base/a.json" || fail "MyNo not exported"
# Period 4 is marked as created.
tr -d ' \n' <"$base/a.json" | grep -q '"Sakusei":\[false,false,false,true,' || fail "Sakusei not set"

# A round trip through export and import leaves the file byte for byte unchanged.
cp "$file" "$base/before.dat"
"$cli" --base "$base" period import --year 2026 --period 4 <"$base/a.json" || fail "re-import failed"
cmp -s "$file" "$base/before.dat" || fail "round trip changed the file"

# A second company data set has its own folder.
printf '%s' "$good" | "$cli" --base "$base" --company _a period import --year 2027 --period 1 || fail "company import"
[ -e "$base/Data2_a/令和09年給与･賞与.dat" ] || fail "company file not in Data2_a"
echo ok
