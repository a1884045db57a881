#!/usr/bin/env bash
# period import -> calc for a monthly, a daily and an hourly employee and a summer bonus, checked
# against figures worked out by hand.
set -u
cli=$1
base=$(mktemp -d)
trap 'rm -rf "$base"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

kihon='"Kihon":{"Syamei":"テスト商事","Nissu":21,"Jikan":168,"KoyRitu":0.5,"KenRitu":4.955,"KaiRitu":0.81,"NenRitu":9.15}'
syain='"Syain":[
 {"slot":1,"Simei":"月給　一郎","UniqueKey":"260101_090001","Keitai":1,"Chingin1":245000,"Chingin2":1990,"Kekkin":11136,
  "Koyou":true,"Kenkou":true,"KenhoRyo":11880,"NenHoken":true,"KoseiRyo":21960,"Juumin":10000,"Juumin6":12000,
  "Sinzoku":1,"SikUnit":3,"Koutuhi0":10000},
 {"slot":2,"Simei":"日給　二郎","UniqueKey":"260101_090002","Keitai":2,"Chingin1":9000,"Yukyu":6900,"Koyou":true},
 {"slot":3,"Simei":"時給　花子","UniqueKey":"260101_090003","Keitai":3,"Chingin1":1029,"Koyou":true}]'
kintai='"Kintai":[{"slot":1,"SyukkinNissu":19,"KekkinNissu":2,"ZangyoJikan":10.25},
 {"slot":2,"SyukkinNissu":20,"YukyuNissu":1},{"slot":3,"JitudoJikan":291.69}]'

for k in 4 6; do
    echo "{$kihon,$syain,$kintai}" | "$cli" --base "$base" period import --year 2026 --period $k || fail "import $k"
done
"$cli" --base "$base" calc --year 2026 --period 6 --save >/dev/null || fail "calc June"
"$cli" --base "$base" calc --year 2026 --period 4 >"$base/april.json" || fail "calc April"

check() { # json-file python-expression expected
    got=$(python3 -c "import json,sys; d=json.load(open('$1')); S={e['slot']:e for e in d['Sikyu']}; K={e['slot']:e for e in d['Koujo']}; print($2)")
    [ "$got" = "$3" ] || fail "$2 = $got, expected $3"
}
a="$base/april.json"
# Monthly: 245,000 + overtime 10.25 h x 1,990 = 20,397.5 -> 20,398 (rounded up); 2 absence days x 11,136.
check "$a" "S[1]['Zangyo']" 20398
check "$a" "S[1]['Kekkin']" -22272
check "$a" "S[1]['Koutuhi0']" 10000          # commuting paid in April (cycle 1,4,7,10)
check "$a" "S[1]['KazeiTotal']" 243126
check "$a" "S[1]['SikyuTotal']" 253126
check "$a" "K[1]['KoyouRyo']" 1266           # 253,126 x 0.5 % = 1,265.63
check "$a" "K[1]['SyahoGo']" 208020
check "$a" "K[1]['Syotoku']" 3010            # 甲欄, 1 dependant, 207,000..209,000
check "$a" "K[1]['Juumin']" 10000
check "$a" "K[1]['KoujoTotal']" 48116
# Daily: 20 days x 9,000 + 1 paid-leave day x 6,900.
check "$a" "S[2]['Kihonkyu']" 186900
check "$a" "K[2]['KoyouRyo']" 934            # 934.5: up to 0.500 is dropped
check "$a" "K[2]['Syotoku']" 3840
# Hourly: 1,029 x 291.69 h = 300,149.01 -> 300,150 (a float step would give 300,149).
check "$a" "S[3]['Kihonkyu']" 300150
check "$a" "K[3]['KoyouRyo']" 1501
check "$a" "K[3]['Syotoku']" 7820
# The file is unchanged without --save.
"$cli" --base "$base" period export --year 2026 --period 4 >"$base/raw.json"
check "$base/raw.json" "S.get(1, {}).get('Kihonkyu', 0)" 0

# June: the June resident tax; no commuting; saved above as the bonus's previous month.
"$cli" --base "$base" period export --year 2026 --period 6 >"$base/june.json"
check "$base/june.json" "K[1]['Juumin']" 12000
check "$base/june.json" "K[1]['SyahoGo']" 208070

# Summer bonus paid on 10 July; a fourth employee joined after June.
newcomer='{"slot":4,"Simei":"新人","UniqueKey":"260701_090004","Keitai":1,"Chingin1":200000}'
bonus="{\"Head\":{\"SikyuM\":[7,0,0],\"SikyuD\":[10,0,0]},$kihon,${syain%]},$newcomer],
 \"Sikyu\":[{\"slot\":1,\"Kihonkyu\":500000},{\"slot\":4,\"Kihonkyu\":100000}]}"
echo "$bonus" | "$cli" --base "$base" period import --year 2026 --period 13 || fail "import bonus"
"$cli" --base "$base" calc --year 2026 --period 13 >"$base/bonus.json" || fail "calc bonus"
b="$base/bonus.json"
check "$b" "K[1]['KenhoRyo']" 24775          # 500,000 x 4.955 %
check "$b" "K[1]['KoseiRyo']" 45750
check "$b" "K[1]['KoyouRyo']" 2500
check "$b" "K[1]['SyahoGo']" 426975
check "$b" "K[1]['SyoyoRitu']" 2042          # June 208,070 -> 2.042 % for one dependant
check "$b" "K[1]['Syotoku']" 8718            # 426,975 x 2.042 % = 8,718.83
check "$b" "[(e['slot'], e['exception']) for e in d['TaxExceptions']]" "[(4, 1)]"

# Bad arguments.
"$cli" --base "$base" calc --year 2026 >/dev/null 2>&1; [ $? -eq 2 ] || fail "calc without --period"
"$cli" premium --grade 0 --ken 5 --kai 1 --nen 9 >/dev/null 2>&1; [ $? -eq 2 ] || fail "grade 0 accepted"
out=$("$cli" premium --grade 19 --ken 4.95 --kai 0.80 --nen 9.15) || fail "premium"
echo "$out" | tr -d ' \n' | grep -q '"KenhoRyo":11880,"KaigoRyo":1920,"KoseiRyo":21960' || fail "premium figures: $out"
echo ok
