# shellcheck shell=bash
# KWin (Plasma's compositor) on a virtual output for the end-to-end tests, sourced after checks.sh:
#
#   kwin_session_make NAME            $dir (a private home and runtime folder), $run (the user the
#                                     session runs as: nobody when root) and $env_ (its environment;
#                                     add to it before kwin_session_run)
#   kwin_session_run WIDTH HEIGHT     a session bus and kwin_wayland --virtual on it; exits 1 when
#                                     either does not start
#   session COMMAND..., session_bg COMMAND...   in the session (session_bg: the program is the job)
#   kwin_state                        KWin's active window and the panel's frame ("active CLASS",
#                                     "panel X,Y,W,H", "lists skipTaskbar=… skipSwitcher=…"), read
#                                     with a KWin script
#   stop PID                          asks, then insists (KWin may sit out a TERM)
# Programs in $pids are stopped at exit, last first, and $dir is removed.

kwin_session_make() {
  dir=$(mktemp -d "${TMPDIR:-/tmp}/corvane-$1.XXXXXX")
  chmod 755 "$dir"
  mkdir -p "$dir/home/.config" "$dir/home/.local/share/applications" "$dir/runtime"
  chmod 700 "$dir/runtime"
  run=()
  [ "$(id -u)" -eq 0 ] && run=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  env_=(HOME="$dir/home" XDG_CONFIG_HOME="$dir/home/.config" XDG_DATA_HOME="$dir/home/.local/share"
    XDG_RUNTIME_DIR="$dir/runtime" PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=wayland
    WAYLAND_DISPLAY=wayland-corvane)
  add_sanitizer_env env_
  trap kwin_session_cleanup EXIT
}

session() { "${run[@]}" env -i "${env_[@]}" "$@"; }
session_bg() { "${run[@]}" env -i "${env_[@]}" "$@" & }

stop() {
  kill "$1" 2>/dev/null || return 0
  local deadline=$((SECONDS + 5))
  while kill -0 "$1" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.1; done
  kill -9 "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}

kwin_session_cleanup() {
  local i pid
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop "${pids[i]}"; done
  # Programs the bus started (a portal and its backend) go with their session.
  for pid in $(session_processes /usr/libexec/xdg-desktop-portal "$dir/runtime") \
    $(session_processes /usr/lib/x86_64-linux-gnu/libexec/xdg-desktop-portal-kde "$dir/runtime"); do stop "$pid"; done
  remove_tmp "$dir"
}

kwin_session_run() {
  [ "$(id -u)" -eq 0 ] && chown -R nobody:nogroup "$dir/home" "$dir/runtime"
  # kwin_wayland carries a file capability (CAP_SYS_RESOURCE) that a container's bounding set may
  # lack, which makes exec fail; a plain copy runs anywhere, without it.
  cp /usr/bin/kwin_wayland "$dir/kwin_wayland" && chmod 755 "$dir/kwin_wayland"
  session_bg dbus-daemon --session --nofork --print-address=3 3>"$dir/bus" >/dev/null 2>&1
  pids+=($!)
  wait_for 10 test -s "$dir/bus" || { echo "kwin session: no session bus"; exit 1; }
  env_+=(DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$dir/bus")")
  session_bg env QT_QPA_PLATFORM=offscreen "$dir/kwin_wayland" --virtual --no-lockscreen --width "$1" --height "$2" \
    --socket wayland-corvane >"$dir/kwin.log" 2>&1
  pids+=($!)
  wait_for 30 test -S "$dir/runtime/wayland-corvane" || { echo "kwin session: kwin did not start"; cat "$dir/kwin.log"; exit 1; }
}

# (A probe runs in a subshell, so its number comes from the clock.)
kwin_state() {
  local probe script
  probe=$(date +%s%N)
  script="$dir/probe$probe.js"
  cat >"$script" <<JS
var a = workspace.activeClient;
print("PROBE$probe active " + (a ? a.resourceClass : "none"));
var all = workspace.clientList();
for (var i = 0; i < all.length; ++i)
  if (all[i].resourceClass == "org.corvane.Corvane" && all[i].caption == "Corvane")
  {
    print("PROBE$probe panel " + all[i].frameGeometry.x + "," + all[i].frameGeometry.y + "," + all[i].frameGeometry.width + "," + all[i].frameGeometry.height);
    print("PROBE$probe lists skipTaskbar=" + all[i].skipTaskbar + " skipSwitcher=" + all[i].skipSwitcher);
  }
print("PROBE$probe end");
JS
  chmod 644 "$script"
  session dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.loadScript \
    string:"$script" string:"corvane-probe$probe" >/dev/null
  session dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.start >/dev/null
  wait_for 5 grep -q "PROBE$probe end" "$dir/kwin.log"
  session dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.unloadScript \
    string:"corvane-probe$probe" >/dev/null
  grep -o "PROBE$probe [a-z]* .*" "$dir/kwin.log" | sed "s/^PROBE$probe //"
}
