# Shared by the active-application tests on Wayland desktops (wayland-, kwin-, gnome-activeapp.sh):
# sourced after checks.sh, once the script has read its arguments into `probe`, `app_window` and
# `artifacts`.
#
# As root, the script runs again as the user nobody (compositors refuse root, and a desktop is a
# user's); it gets a private home and runtime folder in $tmp, `wait_for` polling every 100 ms, and
# the probe's output in $tmp/probe.out, read with `lastApp`, `is_last` and `seen_count`.

run_as_nobody_when_root "${script_args[@]}"

poll_seconds=0.1
make_tmp activeapp
private_home
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK

lastApp() { grep '^lastApp ' "$tmp/probe.out" | tail -n1 | cut -d' ' -f2-; }
is_last() { [ "$(lastApp)" = "$1" ]; }
seen_count() { grep -c "^seen $1\$" "$tmp/probe.out"; }
lastApp_lines() { grep -c '^lastApp ' "$tmp/probe.out"; }

# Stops early when the probe could not start following.
stop_unless_following() {
  [ "$failed" -eq 0 ] && return
  cat "$tmp/probe.out" "$tmp/probe.err"
  summary "$(basename "$0" .sh)"
  exit 1
}
finish() {
  echo "--- probe output"; cat "$tmp/probe.out"
  grep -v -E '^$' "$tmp/probe.err" 2>/dev/null | tail -n 10 | sed 's/^/probe: /'
  summary "$(basename "$0" .sh)"
}
