#!/bin/sh
# One scenario of the kernel run: the same varnelctl commands in the same order, each on the
# memory the previous one left, either on varnelctl's virtual bus (on the host: the expectation)
# or through hidapi, hidraw and the kernel's uhid to varnel-uhid (in the guest). POSIX sh, so
# that the host's sh and the guest's busybox run the very same steps.
#
#   scenario.sh virtual|uhid OUT FIXTURES MODEL LAYOUT START_MEMORY [DEFAULT_IMAGE]
#   scenario.sh compare EXPECTED RESULT NAME LAYOUT
#
# VARNELCTL (and VARNEL_UHID for uhid) name the programs. FIXTURES is the folder of the start
# memories, the firmware file and the Lark default image; START_MEMORY and DEFAULT_IMAGE are
# names in it.

STEPS="list info backup reset restore flash refused short"
PREFIX="varnel-kernel-test:"

uptime_s() {
    cut -d' ' -f1 /proc/uptime
}

nodes() {
    set -- /sys/class/hidraw/*
    if [ -e "$1" ]; then echo $#; else echo 0; fi
}

# Until the number of hidraw nodes passes the test OP COUNT (e.g. -ge 5); about 10 s at most.
wait_nodes() {
    tries=0
    until test "$(nodes)" "$1" "$2"; do
        tries=$((tries + 1))
        [ "$tries" -gt 1000 ] && return 1
        sleep 0.01
    done
    return 0
}

# step NAME FAULT CMD...: CMD on the memory the last step left. FAULT "-" is none, "refuse:K"
# makes the mouse refuse its K-th report, "short:K" cuts the report id off the answer to it through
# the kernel, which a reader has to take for a refusal: on the virtual bus it is one.
step() {
    name=$1 fault=$2
    shift 2
    next="$OUT/$name.mem"
    case "$MODE:$fault" in
    *:-) fault= ;;
    virtual:*) fault="--virtual-fault=refuse-report=${fault#*:}" ;;
    uhid:refuse:*) fault="--refuse-report=${fault#*:}" ;;
    uhid:short:*) fault="--short-reply=${fault#*:}" ;;
    esac
    if [ "$MODE" = virtual ]; then
        "$VARNELCTL" ${IMAGE:+--default-image "$IMAGE"} --virtual "$MODEL" --virtual-interfaces "$LAYOUT" ${fault:+"$fault"} \
            --virtual-load "$mem" --virtual-save "$next" --trace "$OUT/$name.trace" "$@" \
            >"$OUT/$name.out" 2>"$OUT/$name.err"
        echo $? >"$OUT/$name.rc"
        echo 0 >"$OUT/$name.uhid-rc"
    else
        start_mouse --load "$mem" --save "$next" ${fault:+"$fault"} 2>"$OUT/$name.uhid-err"
        began=$(uptime_s)
        "$VARNELCTL" ${IMAGE:+--default-image "$IMAGE"} --trace "$OUT/$name.trace" "$@" \
            >"$OUT/$name.out" 2>"$OUT/$name.err"
        echo $? >"$OUT/$name.rc"
        echo "$began $(uptime_s)" | awk '{ printf "%.1f s", $2 - $1 }' >"$OUT/$name.time"
        stop_mouse >"$OUT/$name.uhid-rc"
    fi
    mem=$next
}

# varnel-uhid in the background with the mouse's interfaces (pointer, vendor ones, keyboard) and
# the other vendor's device, once their hidraw nodes are there.
start_mouse() {
    "$VARNEL_UHID" "$MODEL" ${IMAGE:+--default-image "$IMAGE"} --interfaces "$LAYOUT" --neighbour "$@" &
    pid=$!
    wait_nodes -ge $((LAYOUT + 3)) || echo "the hidraw nodes did not appear" >&2
}

# Stops it and prints its exit status.
stop_mouse() {
    kill -TERM "$pid"
    wait "$pid"
    echo $?
    # Its nodes leave as it closes /dev/uhid; the next mouse must not meet them.
    wait_nodes -eq 0
}

# Permissions do not depend on the layout: one interface is enough, and quicker (each refused open
# is retried for a second).
checks_permission() {
    [ "$LAYOUT" = 1 ]
}

# A command line (paths without blanks) as the user "nobody" of the guest's /etc/passwd.
as_user() {
    su -s /bin/sh -c "$1" nobody
}

# Without the udev rule a user may not open the nodes: varnelctl has to say so and point to the
# rule, while listing still works. The virtual bus knows no permissions; this runs in the guest only.
permission_check() {
    start_mouse --load "$mem" 2>"$OUT/user.uhid-err"
    as_user "$VARNELCTL ${IMAGE:+--default-image $IMAGE} list" >"$OUT/user-list.out" 2>&1
    as_user "$VARNELCTL ${IMAGE:+--default-image $IMAGE} info" >"$OUT/user-info.out" 2>&1
    echo $? >"$OUT/user-info.rc"
    stop_mouse >"$OUT/user.uhid-rc"
}

run_steps() {
    mkdir -p "$OUT"
    mem="$FIXTURES/$START"
    step list - list
    step info - info
    step backup - backup "$OUT/profile.bin"
    step reset - reset
    step restore - restore "$OUT/profile.bin"
    step flash - flash "$FIXTURES/firmware.bin"
    # The first data report of the reset's writing: what is written before it must match too.
    step refused "refuse:$(awk '/^S[0-9] 41 / && writing { print NR; exit } /^S[0-9] 40 (06|0C) / { writing = 1 }' \
        "$OUT/reset.trace")" reset
    # The device information, fetched during identification.
    step short "short:$(grep -n '^G' "$OUT/info.trace" | head -n 1 | cut -d: -f1)" info
    if [ "$MODE" = uhid ] && checks_permission; then permission_check; fi
}

# Paths differ between the buses, and each bus has another vendor's device of its own: compare
# the mouse's interfaces by ids and feature report length.
listing() {
    awk '{print $2, $3}' "$1" | grep -v '^2f01:' | sort
}

same() {
    if [ "$2" = list ]; then
        [ "$(listing "$EXPECTED/list.out")" = "$(listing "$RESULT/list.out")" ]
    else
        [ -f "$EXPECTED/$2" ] && [ -f "$RESULT/$2" ] && cmp -s "$EXPECTED/$2" "$RESULT/$2"
    fi
}

details() {
    case "$1" in
    *.mem | *.bin)
        echo "  first differing bytes of $1 (offset, expected, got; octal):"
        cmp -l "$EXPECTED/$1" "$RESULT/$1" 2>&1 | head -n 4 | sed 's/^/    /'
        ;;
    list)
        echo "  expected interfaces:"
        listing "$EXPECTED/list.out" | sed 's/^/    /'
        echo "  found:"
        listing "$RESULT/list.out" | sed 's/^/    /'
        ;;
    *)
        diff "$EXPECTED/$1" "$RESULT/$1" 2>&1 | head -n 8 | sed 's/^/    /'
        ;;
    esac
}

check_permission() {
    bad=""
    [ "$(listing "$RESULT/user-list.out")" = "$(listing "$EXPECTED/list.out")" ] || bad="$bad list"
    [ "$(cat "$RESULT/user-info.rc")" = 3 ] || bad="$bad exit"
    grep -q "permission denied on /dev/hidraw" "$RESULT/user-info.out" || bad="$bad message"
    [ "$(cat "$RESULT/user.uhid-rc")" = 0 ] || bad="$bad varnel-uhid"
    if [ -z "$bad" ]; then
        echo "$PREFIX $NAME another user ok (exit 3, told about the udev rule)"
        return 0
    fi
    echo "$PREFIX $NAME another user DIFFERS:$bad"
    sed 's/^/    /' "$RESULT/user-list.out" "$RESULT/user-info.out"
    return 1
}

compare() {
    failed=0
    if checks_permission; then check_permission || failed=1; fi
    for s in $STEPS; do
        items="$s.rc $s.trace $s.mem"
        if [ "$s" = list ]; then items="$items list"; else items="$items $s.out"; fi
        [ "$s" = backup ] && items="$items profile.bin"
        bad=""
        for item in $items; do
            same "$s" "$item" || bad="$bad $item"
        done
        [ "$(cat "$RESULT/$s.uhid-rc" 2>/dev/null)" = 0 ] || bad="$bad varnel-uhid"
        if [ -z "$bad" ]; then
            echo "$PREFIX $NAME $s ok (exit $(cat "$RESULT/$s.rc"), $(cat "$RESULT/$s.time"))"
            continue
        fi
        failed=$((failed + 1))
        echo "$PREFIX $NAME $s DIFFERS:$bad"
        for item in $bad; do
            case "$item" in
            varnel-uhid) sed 's/^/    varnel-uhid: /' "$RESULT/$s.uhid-err" ;;
            *.rc)
                echo "  exit $(cat "$EXPECTED/$s.rc") on the virtual bus, $(cat "$RESULT/$s.rc") through the kernel"
                sed 's/^/    virtual: /' "$EXPECTED/$s.err"
                sed 's/^/    kernel: /' "$RESULT/$s.err"
                ;;
            *) details "$item" ;;
            esac
        done
    done
    return "$failed"
}

MODE=$1
case "$MODE" in
virtual | uhid)
    OUT=$2 FIXTURES=$3 MODEL=$4 LAYOUT=$5 START=$6
    IMAGE=${7:+$FIXTURES/$7}
    run_steps
    ;;
compare)
    EXPECTED=$2 RESULT=$3 NAME=$4 LAYOUT=$5
    compare
    ;;
*)
    echo "usage: scenario.sh virtual|uhid OUT FIXTURES MODEL LAYOUT START [IMAGE] | compare EXPECTED RESULT NAME LAYOUT" >&2
    exit 2
    ;;
esac
