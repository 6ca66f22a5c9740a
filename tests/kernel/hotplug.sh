#!/bin/sh
# The hotplug run in the kernel test's guest (no udevd there: the probe hears the kernel's own
# announcements). Another vendor's device comes and goes, then the mouse: the mouse's arrival must
# start a search within the settle wait plus 100 ms and lead to its read, its removal to a search
# that finds nothing, and the other device to no search at all. The same plug once more with the
# count poll gives the time it took before. Prints its measurements; exits with the failures.
#
#   hotplug.sh PROBE UHID OUT

PROBE=$1 UHID=$2 OUT=$3
SETTLE=2000
# The settle wait's allowance: 100 ms, as the window promises; a sanitizer build (several times
# slower, in an emulated guest) is checked for the behaviour with a wider one.
MARGIN=100
grep -q __asan_init "$PROBE" && MARGIN=500
PREFIX="varnel-kernel-test: hotplug:"
mkdir -p "$OUT"

# The first line of FILE matching the pattern, as its time; empty when there is none.
at() {
    awk -v p="$2" '$0 ~ p { print $1; exit }' "$1"
}

# until_line FILE PATTERN: waits up to 15 s for the line.
until_line() {
    tries=0
    until grep -q "$2" "$1"; do
        tries=$((tries + 1))
        [ "$tries" -gt 1500 ] && return 1
        sleep 0.01
    done
}

plug() {  # plug NAME UHID-ARGS...: starts varnel-uhid; its pid in $plugged
    name=$1
    shift
    "$UHID" "$@" >"$OUT/$name.uhid" 2>&1 &
    plugged=$!
}

failed=0
check() {  # check CONDITION TEXT
    if eval "$1"; then echo "$PREFIX $2: ok"; else echo "$PREFIX $2: FAILED"; failed=$((failed + 1)); fi
}

# --- announced ---
log=$OUT/announce.log
"$PROBE" --source kernel --mode announce --settle-ms $SETTLE --for-ms 20000 >"$log" 2>&1 &
probe=$!
sleep 0.5
plug neighbour --neighbour-only wren-rgb-3330
until_line "$log" "announced add .* concerns=0" || echo "$PREFIX the other device was not announced"
sleep 2.5
kill "$plugged"; wait "$plugged"
plug mouse wren-rgb-3330
until_line "$log" "mouse read" || echo "$PREFIX the mouse was not read"
kill "$plugged"; wait "$plugged"
until_line "$log" "no mouse" || echo "$PREFIX the removal led to no search"
kill "$probe"; wait "$probe" 2>/dev/null
sed "s/^/$PREFIX   /" "$log"

other=$(at "$log" "concerns=0")
arrival=$(at "$log" "announced add .* concerns=1")
first_search=$(at "$log" " search$")
search_after=$(awk -v t="$arrival" '$2 == "search" && $1 >= t { print $1; exit }' "$log")
read_at=$(at "$log" "mouse read")
check '[ -n "$other" ] && [ -n "$arrival" ] && [ "$first_search" = "$search_after" ]' \
    "the other device's arrival and removal start no search"
check '[ -n "$search_after" ] && [ $((search_after - arrival)) -le $((SETTLE + MARGIN)) ]' \
    "the mouse's arrival starts a search $((search_after - arrival)) ms after it (at most $((SETTLE + MARGIN)))"
check '[ -n "$read_at" ]' "the mouse is read $((read_at - arrival)) ms after its arrival"
check 'grep -q "announced remove .* concerns=1" "$log" && grep -q "no mouse" "$log"' \
    "the mouse's removal is matched on its arrival and searched for"

# --- counted (before): the mouse arrives with the probe, the first tick comes 3.5 s later ---
log=$OUT/poll.log
"$PROBE" --source kernel --mode poll --settle-ms $SETTLE --for-ms 15000 >"$log" 2>&1 &
probe=$!
sleep 0.2
plug mouse-polled wren-rgb-3330
until_line "$log" "mouse read" || echo "$PREFIX the counting probe did not read the mouse"
kill "$plugged"; wait "$plugged"
kill "$probe"; wait "$probe" 2>/dev/null
arrival=$(at "$log" "announced add .* concerns=1")
read_at=$(at "$log" "mouse read")
echo "$PREFIX counted: the mouse read $((read_at - arrival)) ms after its arrival (the tick's phase decides)"
exit "$failed"
