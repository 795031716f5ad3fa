#!/usr/bin/env bash
# Checks that a replay stops on every kind of fault and names the input:
# replay-check.sh REPLAY SANITIZED (1 when built with the sanitizers). REPLAY
# is the replay of FaultyTarget.cpp; each case is one folder of good inputs
# with the faulty one among them.
set -uo pipefail

replay=${1:?usage: replay-check.sh REPLAY SANITIZED}
sanitized=${2:-0}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# fault | what the replay must say of it
cases=(
  "trap|made the target fail"
  "throw|made the target fail"
  "hang|ran over 1000 ms"
)
if [ "$sanitized" = 1 ]; then
  cases+=(
    "overflow|made the target fail"
    "leak|leaked the memory reported above"
    "undefined|made the target fail"
  )
fi

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

for entry in "${cases[@]}"; do
  fault=${entry%%|*}
  said=${entry#*|}
  folder="$work/$fault"
  mkdir -p "$folder"
  printf 'fine' >"$folder/a-good"
  printf '%s' "$fault" >"$folder/b-$fault"
  printf 'fine too' >"$folder/c-good"
  start=$SECONDS
  "$replay" "$folder" >"$work/$fault.out" 2>&1
  status=$?
  if [ "$status" -eq 0 ]; then
    fail "$fault: the replay passed"
  elif ! grep -qF "input $folder/b-$fault $said" "$work/$fault.out"; then
    fail "$fault: the replay did not say \"input $folder/b-$fault $said\""
  fi
  if [ $((SECONDS - start)) -gt 20 ]; then
    fail "$fault: the replay took $((SECONDS - start)) s"
  fi
  sed 's/^/    /' "$work/$fault.out" | tail -n 5
done

# Good inputs pass; no input at all is a mistake in the test's paths.
mkdir -p "$work/good"
printf 'fine' >"$work/good/one"
if ! "$replay" "$work/good" "$work/missing" >"$work/good.out" 2>&1; then
  fail "good inputs: the replay failed"
  cat "$work/good.out"
fi
if "$replay" "$work/missing" >"$work/none.out" 2>&1; then
  fail "no input: the replay passed"
fi

[ "$failures" -eq 0 ] && echo "every fault stopped the replay, naming its input"
exit $((failures > 0))
