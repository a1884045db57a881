#!/usr/bin/env bash
# orvane2-cli tax and tables, run as a user would: figures of the published tables and the
# exit code 2 for bad arguments.
set -u
cli=$1
failures=0

expect() { # expect "<want>" args...
    local want=$1
    shift
    local got
    got=$("$cli" "$@" 2>/dev/null)
    if [ "$got" != "$want" ]; then
        echo "FAIL: $* -> '$got', want '$want'"
        failures=$((failures + 1))
    fi
}

expect_code() { # expect_code CODE args...
    local want=$1
    shift
    "$cli" "$@" >/dev/null 2>&1
    local code=$?
    if [ "$code" != "$want" ]; then
        echo "FAIL: $* exited $code, want $want"
        failures=$((failures + 1))
    fi
}

expect 170 tax salary 105000 --year 2026
expect 0 tax salary 104999 --year 2026
expect 3216 tax salary 104999 --otsu --year 2026
expect 267824 tax salary 761119 --otsu --year 2026
expect 549440 tax salary 2130000 --year 2026
expect 1171215 tax salary 3600000 --year 2026
expect 23190 tax salary 740000 --deps 9 --year 2026
expect 1030 tax salary 105000 --year 2025
expect 140 tax salary 111000 --year 2027
expect "30630 (rate 6.126 %)" tax bonus 300000 500000 --year 2026
expect "9564 (rate 2.042 %)" tax bonus 90000 468407 --year 2026
expect "20420 (rate 20.420 %)" tax bonus 224000 100000 --otsu --year 2026
expect "0 (monthly table: one sixth of the bonus, no pay in the previous month)" \
    tax bonus 0 600000 --year 2026

expect_code 0 tables --year 2027
"$cli" tables --year 2027 | grep -q "the 2027 set has none; the 2026 file is used" ||
    { echo "FAIL: tables --year 2027 does not report the substituted bonus table"; failures=$((failures + 1)); }

expect_code 2 tax
expect_code 2 tax salary
expect_code 2 tax salary abc
expect_code 2 tax salary 100000 200000
expect_code 2 tax salary 99999999999
expect_code 2 tax salary 100000 --deps -1
expect_code 2 tax salary 100000 --deps
expect_code 2 tax salary 100000 --year 20x6
expect_code 2 tax salary 100000 --bogus
expect_code 2 tax bonus 100000
expect_code 2 tax bonus 100000 x
expect_code 2 tax wages 100000
expect_code 2 tables --year
expect_code 2 tables 2026

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "tax: all checks passed"
