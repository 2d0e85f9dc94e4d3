# Sourced by the scripts. Qt wants a private runtime folder ($XDG_RUNTIME_DIR), which a login
# session provides; without one (root in a container, a plain ssh or su shell) Qt warns
# "XDG_RUNTIME_DIR not set" on every start. The warning is harmless; this gives Qt the folder
# the program itself falls back to for its single-instance socket, so both programs agree.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  zentro_runtime="/tmp/zentro-$(id -u)"
  mkdir -p -m 700 "$zentro_runtime" 2>/dev/null || true
  # Only a folder of this user, and not a link someone else left in /tmp.
  if [ -d "$zentro_runtime" ] && [ ! -L "$zentro_runtime" ] && [ -O "$zentro_runtime" ] &&
      chmod 700 "$zentro_runtime"; then
    XDG_RUNTIME_DIR="$zentro_runtime"
    export XDG_RUNTIME_DIR
  fi
  unset zentro_runtime
fi
