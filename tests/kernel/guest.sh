# The QEMU guest that the kernel runs share, sourced by their run scripts (bash): what the host
# needs, Debian's kernel with the modules the guests load, the initramfs's base and libraries, the
# boot and the guest's final line. The caller sets `cache` (kernel downloads) and `started`.

SKIP=77

skip() {
    echo "kernel test SKIPPED: $*"
    exit "$SKIP"
}
fail() {
    echo "kernel test FAILED: $*"
    exit 1
}

need_guest_tools() {
    local tool
    for tool in qemu-system-x86_64 busybox cpio; do
        command -v "$tool" >/dev/null ||
            skip "$tool is not installed (scripts/install-deps installs qemu-system-x86 busybox-static cpio)"
    done
    busybox=$(command -v busybox)
    if ldd "$busybox" >/dev/null 2>&1; then
        skip "$busybox is linked dynamically; the guest needs busybox-static"
    fi
}

# --- The kernel: vmlinuz and the modules of Debian's current kernel package that a guest loads ----
# Cached per package name in the build folder; a new kernel package name, or a module that an
# earlier download lacks, means a new download.
kernel_modules="drivers/hid/hid drivers/hid/uhid drivers/hid/hid-generic drivers/input/evdev drivers/input/misc/uinput"
kernel=
kernel_package() {
    apt-cache depends linux-image-amd64 2>/dev/null |
        awk '$1 == "Depends:" && $2 ~ /^linux-image-[0-9]/ { print $2; exit }' || true
}
kernel_complete() {
    [ -f "$1/complete" ] && [ "$(cat "$1/complete")" = "$kernel_modules" ]
}
fetch_kernel() {
    local pkg dir tmp m
    pkg=$(kernel_package)
    if [ -z "$pkg" ] && [ "$(id -u)" = 0 ] && ! ls -d "$cache"/linux-image-*/complete >/dev/null 2>&1; then
        # No package lists yet (a fresh machine whose packages were all present): fetch them once.
        apt-get -o DPkg::Lock::Timeout=300 -q update >/dev/null 2>&1 || true
        pkg=$(kernel_package)
    fi
    mkdir -p "$cache"
    rm -rf "$cache"/download.*  # left by an interrupted run
    if [ -n "$pkg" ]; then
        dir=$cache/$pkg
        if ! kernel_complete "$dir"; then
            tmp=$(mktemp -d "$cache/download.XXXXXX")
            echo "kernel test: downloading $pkg"
            if (cd "$tmp" && apt-get download "$pkg") >"$tmp/log" 2>&1; then
                mkdir -p "$tmp/x"
                local patterns=('./boot/vmlinuz-*')
                for m in $kernel_modules; do patterns+=("*/$m.ko*"); done
                # Extract only what the guests need; tar complains about patterns without a match.
                dpkg-deb --fsys-tarfile "$tmp"/*.deb | tar -x -C "$tmp/x" --wildcards "${patterns[@]}" 2>/dev/null || true
                rm -rf "$dir" && mkdir -p "$dir"
                local ok=1
                find "$tmp/x" -name 'vmlinuz-*' -exec cp {} "$dir/vmlinuz" \;
                for m in $kernel_modules; do
                    local f name=${m##*/}
                    f=$(find "$tmp/x" -path "*/$m.ko*" | head -n 1)
                    case "$f" in
                    *.ko) cp "$f" "$dir/$name.ko" ;;
                    *.ko.xz) xz -dc "$f" >"$dir/$name.ko" 2>/dev/null || ok=0 ;;
                    *.ko.zst) zstd -dcq "$f" >"$dir/$name.ko" 2>/dev/null || ok=0 ;;
                    *) ok=0 ;;
                    esac
                done
                [ -f "$dir/vmlinuz" ] || ok=0
                if [ "$ok" = 1 ]; then echo "$kernel_modules" >"$dir/complete"; else rm -rf "$dir"; fi
            else
                sed 's/^/  apt-get: /' "$tmp/log" | tail -n 3
            fi
            rm -rf "$tmp"
        fi
        kernel_complete "$dir" && kernel=$dir && return 0
    fi
    # Without package lists or a network, an earlier complete download still serves.
    for dir in $(find "$cache" -mindepth 1 -maxdepth 1 -name 'linux-image-*' 2>/dev/null | sort -rV); do
        kernel_complete "$dir" && kernel=$dir && return 0
    done
    return 0
}

# --- The initramfs -------------------------------------------------------------------------------
# The guest's root with busybox, a root user and the programs' folder $1/opt/varnel.
base_root() {
    mkdir -p "$1"/{bin,dev,proc,sys,tmp,run,result,etc} "$1/opt/varnel"/{bin,modules}
    cp "$busybox" "$1/bin/busybox"
    printf 'root:x:0:0:root:/:/bin/sh\nnobody:x:65534:65534:nobody:/:/bin/sh\n' >"$1/etc/passwd"
    printf 'root:x:0:\nnogroup:x:65534:\n' >"$1/etc/group"
}

# Every library the programs given after the root load (libstdc++, the sanitizers in such a build,
# ...), at the path the host's loader found it.
copy_libraries() {
    local root=$1 lib
    shift
    for lib in $(ldd "$@" 2>/dev/null | awk '$2 == "=>" && $3 ~ /^\// { print $3 } $1 ~ /^\/.*[^:]$/ { print $1 }' | sort -u); do
        cp --parents -L "$lib" "$root/"
    done
}

# Boots the root $1 (with its /init) and reports what the guest said; passes when the guest's
# last line says it finished with 0 failed.
boot_guest() {
    local root=$1 work=$2 log=$2/serial.log guest_started=$SECONDS summary
    (cd "$root" && find . | cpio -o -H newc --quiet) >"$work/initramfs.cpio"
    timeout 600 qemu-system-x86_64 -accel tcg -m 1024 -smp 1 -nodefaults -display none -no-reboot \
        -serial "file:$log" -kernel "$kernel/vmlinuz" -initrd "$work/initramfs.cpio" \
        -append "console=ttyS0 quiet panic=-1 rdinit=/init" || echo "kernel test: QEMU exited with status $?"
    guest_time=$((SECONDS - guest_started))

    # What the guest's scripts said; the kernel's own lines start with its time stamp.
    grep -av '^\[ *[0-9]' "$log" | sed 's/^varnel-kernel-test: /  /' || true
    summary=$(grep -a '^varnel-kernel-test: finished' "$log" || true)
    if [ -z "$summary" ]; then
        echo "the last lines of the guest's console:"
        tail -n 30 "$log" | sed 's/^/  | /'
        fail "the guest did not finish (see $log)"
    fi
    echo "kernel test: $((SECONDS - started)) s in all, guest $guest_time s"
    case "$summary" in
    *"finished with 0 failed"*) echo "kernel test PASSED" ;;
    *) fail "$summary" ;;
    esac
}
