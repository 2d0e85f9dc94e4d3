#!/bin/sh
# Runs the device layer against the real Linux HID stack: builds an initramfs (busybox, the
# hid, uhid and hid-generic modules, zentro-uhid-mouse, zentroctl, zentro-vm-link and their
# libraries), boots Debian's kernel in QEMU and turns the cases' result lines into test
# results. The last line is "N passed, N failed"; the exit status is 0 only when all passed.
#
# usage: tests/vm/run-vm-tests.sh [BUILD_DIR]   (BUILD_DIR holds bin/zentroctl and tests/vm/)
# ZENTRO_VM_KERNEL picks a kernel version (default: the newest in /boot with its modules);
# ZENTRO_VM_ACCEL=kvm|tcg forces the accelerator (default: KVM when it boots, else TCG);
# ZENTRO_VM_TIMEOUT limits the VM's run in seconds (110 by default).
set -u
SRC=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(cd "${1:-$SRC/build}" && pwd) || { echo "vm: no build directory"; echo "0 passed, 1 failed"; exit 1; }
WORK=$BUILD/vm
BOOT_TIMEOUT_KVM=5    # seconds until a working KVM guest has started its init
TOTAL_TIMEOUT=${ZENTRO_VM_TIMEOUT:-110} # seconds for the whole VM run, boot included

give_up() {
  echo "vm: $*"
  echo "0 passed, 1 failed"
  exit 1
}

# ---- what the VM is made of
for tool in qemu-system-x86_64 cpio gzip; do
  command -v "$tool" > /dev/null || give_up "$tool is missing: run scripts/install-deps.sh"
done
BUSYBOX=/bin/busybox
file_is_static() { ! ldd "$1" > /dev/null 2>&1; }
[ -x "$BUSYBOX" ] && file_is_static "$BUSYBOX" || give_up "a static busybox is missing: run scripts/install-deps.sh (busybox-static)"
KVER=${ZENTRO_VM_KERNEL:-}
if [ -z "$KVER" ]; then
  for image in $(ls /boot/vmlinuz-* 2> /dev/null | sort -V); do
    v=${image#/boot/vmlinuz-}
    [ -f "/lib/modules/$v/modules.dep" ] && KVER=$v
  done
fi
KERNEL=/boot/vmlinuz-$KVER
[ -n "$KVER" ] && [ -f "$KERNEL" ] || give_up "no kernel with modules in /boot: run scripts/install-deps.sh (linux-image-amd64)"
[ -r "$KERNEL" ] || give_up "$KERNEL is readable by root only: run the VM step as root"
for program in "$BUILD/bin/zentroctl" "$BUILD/tests/vm/zentro-uhid-mouse" "$BUILD/tests/vm/zentro-vm-link"; do
  [ -x "$program" ] || give_up "$program is missing: build first"
done

rm -rf "$WORK"
ROOT=$WORK/root
mkdir -p "$ROOT/bin" "$ROOT/dev" "$ROOT/proc" "$ROOT/sys" "$ROOT/tmp" "$ROOT/run" "$ROOT/etc" \
  "$ROOT/modules" "$ROOT/expected"
cp "$BUSYBOX" "$ROOT/bin/busybox"
cp "$SRC/tests/vm/init" "$ROOT/init"
cp "$SRC/tests/vm/cases.sh" "$ROOT/cases.sh"
chmod 755 "$ROOT/init"

# The modules, each after the ones it needs (modules.dep lists a module's needs).
MODDIR=/lib/modules/$KVER
: > "$ROOT/modules/order"
add_module() {
  local rel need file name
  rel=$(grep -E "^(kernel/)?([^:]*/)?$1\.ko(\.[a-z]+)?:" "$MODDIR/modules.dep" | head -n 1)
  [ -n "$rel" ] || give_up "module $1 not found in $MODDIR/modules.dep"
  for need in ${rel#*:}; do
    add_module "$(basename "$need" | sed 's/\.ko.*//')"
  done
  file=${rel%%:*}
  name=$(basename "$file")
  grep -qx "$name" "$ROOT/modules/order" && return 0
  case $name in
    *.ko) cp "$MODDIR/$file" "$ROOT/modules/$name" ;;
    *.ko.xz) xz -dc "$MODDIR/$file" > "$ROOT/modules/${name%.xz}"; name=${name%.xz} ;;
    *.ko.zst) zstd -qdc "$MODDIR/$file" > "$ROOT/modules/${name%.zst}"; name=${name%.zst} ;;
    *) give_up "cannot load $file" ;;
  esac
  echo "$name" >> "$ROOT/modules/order"
}
for module in hid uhid hid-generic; do add_module "$module"; done

# The programs and every library they load, at the same paths as here.
add_program() {
  local lib
  mkdir -p "$ROOT$(dirname "$2")"
  cp "$1" "$ROOT$2"
  strip --strip-debug "$ROOT$2" 2> /dev/null || true
  for lib in $(ldd "$1" 2> /dev/null | grep -o '/[^ ]*'); do
    [ -e "$ROOT$lib" ] && continue
    mkdir -p "$ROOT$(dirname "$lib")"
    cp -L "$lib" "$ROOT$lib"
  done
}
add_program "$BUILD/bin/zentroctl" /usr/bin/zentroctl
add_program "$BUILD/tests/vm/zentro-uhid-mouse" /usr/bin/zentro-uhid-mouse
add_program "$BUILD/tests/vm/zentro-vm-link" /usr/bin/zentro-vm-link
if [ -x /lib/systemd/systemd-udevd ]; then
  add_program /lib/systemd/systemd-udevd /lib/systemd/systemd-udevd
  # systemd-udevd finds its shared library through its run path.
  for lib in /lib/systemd/libsystemd-shared-*.so /usr/lib/x86_64-linux-gnu/systemd/libsystemd-shared-*.so; do
    [ -e "$lib" ] && mkdir -p "$ROOT$(dirname "$lib")" && cp -L "$lib" "$ROOT$lib"
  done
fi

# What zentroctl gives against its simulated mouse: the traces the real kernel must match.
ZCTL=$BUILD/bin/zentroctl
EXP=$ROOT/expected
"$ZCTL" defaults "$EXP/defaults.bin" &&
  "$ZCTL" --device simulated --trace "$EXP/info.trace" info > "$EXP/info.out" &&
  "$ZCTL" --device simulated --trace "$EXP/apply.trace" apply "$EXP/defaults.bin" > /dev/null ||
  give_up "zentroctl fails against the simulated mouse"

(cd "$ROOT" && find . | cpio -o -H newc --quiet | gzip -1) > "$WORK/initrd.gz" ||
  give_up "cannot build the initramfs"

# ---- boot
# KVM only where it really runs a guest; software emulation otherwise.
boot() { # ACCEL SECONDS
  timeout -k 5 "$2" qemu-system-x86_64 -accel "$1" -m 512 -smp 1 -nographic -no-reboot -net none -vga none \
    -kernel "$KERNEL" -initrd "$WORK/initrd.gz" \
    -append "console=ttyS0 quiet loglevel=3 panic=-1 rdinit=/init" < /dev/null \
    > "$WORK/console.log" 2>&1
}
ACCEL=${ZENTRO_VM_ACCEL:-}
START=$(date +%s)
FINISHED=no
if [ -z "$ACCEL" ]; then
  ACCEL=tcg
  if [ -r /dev/kvm ] && [ -w /dev/kvm ]; then
    # A guest that has not started its init after a few seconds is stuck: KVM cannot run it.
    boot kvm "$TOTAL_TIMEOUT" &
    QEMU=$!
    i=0
    while [ $i -lt $((BOOT_TIMEOUT_KVM * 10)) ] && kill -0 $QEMU 2> /dev/null; do
      if grep -q ZVM-BOOTED "$WORK/console.log" 2> /dev/null; then ACCEL=kvm; break; fi
      sleep 0.1
      i=$((i + 1))
    done
    if [ "$ACCEL" = kvm ]; then
      wait $QEMU
      FINISHED=yes
    else
      kill $QEMU 2> /dev/null
      wait $QEMU 2> /dev/null
      echo "vm: KVM cannot run the kernel here ($(grep -m1 -i 'error' "$WORK/console.log" || echo 'no boot')); software emulation"
    fi
  fi
fi
if [ "$FINISHED" = no ]; then
  LEFT=$((TOTAL_TIMEOUT - ($(date +%s) - START)))
  boot "$ACCEL" "$LEFT"
  [ $? = 124 ] && echo "vm: QEMU stopped after the time limit ($TOTAL_TIMEOUT s)"
fi
echo "vm: kernel $KVER, $ACCEL, $(($(date +%s) - START)) s"

# ---- results
tr -d '\r' < "$WORK/console.log" > "$WORK/console.txt"
grep -E '^ZVM-(RESULT|NOTE)' "$WORK/console.txt" | sed 's/^ZVM-RESULT //; s/^ZVM-NOTE /note: /'
PASSED=$(grep -c '^ZVM-RESULT PASS ' "$WORK/console.txt")
FAILED=$(grep -c '^ZVM-RESULT FAIL ' "$WORK/console.txt")
if ! grep -q 'ZVM-BOOTED' "$WORK/console.txt"; then
  echo "vm: the VM did not boot; the console said:"
  tail -n 20 "$WORK/console.txt"
  FAILED=$((FAILED + 1))
elif ! grep -q '^ZVM-DONE' "$WORK/console.txt"; then
  echo "vm: the cases did not finish; the console's end:"
  tail -n 20 "$WORK/console.txt"
  FAILED=$((FAILED + 1))
fi
echo "$PASSED passed, $FAILED failed"
[ "$FAILED" = 0 ] && [ "$PASSED" -gt 0 ]
