# The cases run inside the test VM against zentro-uhid-mouse, through the kernel's uhid, hid
# and hidraw drivers. Each prints "ZVM-RESULT PASS name" or "ZVM-RESULT FAIL name: why".
# /expected holds what zentroctl gives against its simulated mouse, made on the host.

CTL=/tmp/mouse.ctl
LOG=/tmp/mouse.log

pass() { echo "ZVM-RESULT PASS $1"; }
# The reason goes on the same line: newlines become " | ", and it is cut at 400 characters.
fail() { echo "ZVM-RESULT FAIL $1: $(printf '%s' "$2" | sed ':a;N;$!ba;s/\n/ | /g' | cut -c1-400)"; }
# check NAME WHY COMMAND...: passes when COMMAND succeeds.
check() {
  name=$1; why=$2; shift 2
  if "$@"; then pass "$name"; else fail "$name" "$why"; fi
}
# Waits up to 5 s until the mouse's hidraw node exists (yes) or is gone (no).
wait_node() {
  for _ in $(seq 50); do
    if grep -qs "HID_ID=0003:000004D9:0000A165" /sys/class/hidraw/hidraw*/device/uevent; then
      [ "$1" = yes ] && return 0
    else
      [ "$1" = no ] && return 0
    fi
    usleep 100000
  done
  return 1
}
# The mouse's log since line $1, without the event reports it sent.
log_since() { tail -n "+$1" "$LOG" | grep -v '^input '; }
log_lines() { wc -l < "$LOG"; }
# The trace without its pacing waits: what the mouse should have seen.
transfers() { grep -v '^sleep ' "$1"; }

zentro-uhid-mouse "$CTL" "$LOG" > /tmp/mouse.out 2> /tmp/mouse.err &
MOUSE=$!
if ! wait_node yes; then
  fail uhid-mouse-appears "no hidraw node for 04d9:a165: $(cat /tmp/mouse.err)"
  exit 0
fi
pass uhid-mouse-appears

# list: both collections with the lengths Windows gives them.
zentroctl list > /tmp/list.out 2>&1
rc=$?
check list-exit-status "status $rc" [ "$rc" = 0 ]
check list-command-collection "$(cat /tmp/list.out)" \
  grep -q "usage page 0xff00 usage 0xff00  input 33  output 33  feature 9  open: yes" /tmp/list.out
check list-event-collection "$(cat /tmp/list.out)" \
  grep -q "usage page 0xff01 usage 0xff01  input 9  output 0  feature 0  open: yes" /tmp/list.out

# info: the same trace as against the simulated mouse, and the mouse saw exactly that.
start=$(( $(log_lines) + 1 ))
zentroctl --trace /tmp/info.trace info > /tmp/info.out 2>&1
rc=$?
check info-exit-status "status $rc: $(cat /tmp/info.out)" [ "$rc" = 0 ]
check info-output "$(cat /tmp/info.out)" cmp -s /tmp/info.out /expected/info.out
check info-trace-matches-simulated-mouse "$(diff /expected/info.trace /tmp/info.trace | grep '^[-+][a-z]' | head -4)" \
  cmp -s /tmp/info.trace /expected/info.trace
transfers /tmp/info.trace > /tmp/info.sent
log_since "$start" > /tmp/info.log
check info-mouse-log-agrees "$(diff /tmp/info.sent /tmp/info.log | grep '^[-+][a-z]' | head -4)" \
  cmp -s /tmp/info.sent /tmp/info.log

# apply of the defaults, with the real pacing waits, on a mouse just plugged in (the info
# above changed its function options, and the simulated mouse starts from power-on too).
echo unplug > "$CTL"
wait_node no
echo plug > "$CTL"
check replug-between-commands "the mouse did not come back" wait_node yes
start=$(( $(log_lines) + 1 ))
timeout 60 zentroctl --trace /tmp/apply.trace apply /expected/defaults.bin > /tmp/apply.out 2>&1
rc=$?
check apply-exit-status "status $rc: $(cat /tmp/apply.out)" [ "$rc" = 0 ]
check apply-trace-matches-simulated-mouse "$(diff /expected/apply.trace /tmp/apply.trace | grep '^[-+][a-z]' | head -4)" \
  cmp -s /tmp/apply.trace /expected/apply.trace
transfers /tmp/apply.trace > /tmp/apply.sent
log_since "$start" > /tmp/apply.log
check apply-mouse-log-agrees "$(diff /tmp/apply.sent /tmp/apply.log | grep '^[-+][a-z]' | head -4)" \
  cmp -s /tmp/apply.sent /tmp/apply.log
echo "memory /tmp/memory.txt" > "$CTL"
for _ in $(seq 50); do [ -e /tmp/memory.txt ] && break; usleep 100000; done
# What the mouse keeps after the defaults, read off the protocol independently of the program.
z4="00 00 00 00"
cat > /tmp/memory.expected <<EOT
dpi-stages 04 09 13 1d 27 31 5d 00
dpi-colors ff 00 00 00 00 ff 00 ff 00 ff ff 00 00 ff ff ff 80 00 ff 00 ff 00 00 00
button-block-0 01 00 f0 00 01 00 f2 00 01 00 f1 00 01 00 f6 00 01 00 f5 00 07 00 01 00 07 00 02 00 $z4 $z4 $z4 $z4 $z4 $z4 $z4 01 00 f7 00 01 00 f8 00
lighting 03 04 02
function-options 01 00 00 d1
EOT
grep -E '^(dpi-stages|dpi-colors|button-block-0|lighting|function-options) ' /tmp/memory.txt \
  > /tmp/memory.kept 2>/dev/null
check apply-mouse-keeps-the-defaults "$(diff /tmp/memory.expected /tmp/memory.kept | grep '^[-+][a-z]' | head -4)" \
  cmp -s /tmp/memory.expected /tmp/memory.kept
check apply-button-blocks-all-alike "the four button blocks differ" \
  [ "$(grep '^button-block-' /tmp/memory.txt | cut -d' ' -f2- | sort -u | wc -l)" = 1 ]

# The device link: event reports, unplug during a read, re-plug (its own result lines).
timeout 60 zentro-vm-link "$CTL" > /tmp/link.out 2>&1
rc=$?
grep '^ZVM-RESULT ' /tmp/link.out
check device-link-cases "status $rc: $(grep -v '^ZVM-' /tmp/link.out | tail -3)" [ "$rc" = 0 ]
wait_node yes

# A user without access to the hidraw nodes is told about the udev rule.
echo "nobody:x:65534:65534:nobody:/:/bin/sh" > /etc/passwd
echo "nogroup:x:65534:" > /etc/group
su -s /bin/sh nobody -c "zentroctl list" > /tmp/perm-list.out 2>&1
check permission-list-names-the-rule "$(cat /tmp/perm-list.out)" \
  grep -q "open: no (permission denied)" /tmp/perm-list.out
check permission-list-hint "$(cat /tmp/perm-list.out)" \
  grep -q "resources/70-zentro-mouse.rules" /tmp/perm-list.out
su -s /bin/sh nobody -c "zentroctl info" > /tmp/perm-info.out 2>&1
rc=$?
check permission-info-fails "status $rc" [ "$rc" = 1 ]
check permission-info-names-the-rule "$(cat /tmp/perm-info.out)" \
  grep -q "may not open .*70-zentro-mouse.rules" /tmp/perm-info.out

# The mouse is pulled 1.5 s into an apply: a failure, named, and marked in the trace.
timeout 60 zentroctl --trace /tmp/cut.trace apply /expected/defaults.bin > /tmp/cut.out 2> /tmp/cut.err &
APPLY=$!
usleep 1500000
echo unplug > "$CTL"
wait $APPLY
rc=$?
check unplug-during-apply-exit-status "status $rc: $(cat /tmp/cut.out /tmp/cut.err)" [ "$rc" = 1 ]
check unplug-during-apply-closing-line "$(cat /tmp/cut.err)" \
  grep -q "^zentroctl: apply failed: [0-9]* of 84 transfers to the mouse failed, .*: ENODEV$" /tmp/cut.err
check unplug-during-apply-not-applied "$(cat /tmp/cut.out)" [ ! -s /tmp/cut.out ]
marks=$(grep -c '^! ENODEV$' /tmp/cut.trace)
failed=$(sed -n 's/^zentroctl: apply failed: \([0-9]*\) of .*/\1/p' /tmp/cut.err)
check unplug-during-apply-trace-marks "$marks marks, $failed failures" \
  [ "$marks" -gt 0 -a "$marks" = "$failed" ]
echo "ZVM-NOTE unplugged during apply: $(cat /tmp/cut.err)"

echo quit > "$CTL"
wait $MOUSE
