#!/usr/bin/env bash
# The package sets of scripts/install-deps.sh, with apt-get, apt-cache, dpkg-query, sudo, id and
# cmake replaced by stubs on PATH that record what they are asked:
#   - the run command's install step asks apt for the run set only: no package of the tests, the
#     benchmarks or the pictures, and nothing already installed; it goes through sudo when not root;
#   - with everything installed, the run command makes no apt call at all, and asks dpkg once;
#   - the test set holds the run set and the other desktops' packages CI must have.
#   install_deps.sh SOURCE_DIR
set -uo pipefail
source_dir=$(cd "${1:?source folder}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# A copy of the scripts, so that the run command's build folder is its own.
mkdir -p "$work/src/scripts"
cp "$source_dir/scripts/run.sh" "$source_dir/scripts/install-deps.sh" "$work/src/scripts/"

stubs="$work/stubs"
mkdir -p "$stubs"
log="$work/calls"
# Every stub writes one line: its name and arguments.
stub() {
  printf '#!/usr/bin/env bash\necho "%s $*" >> "%s"\n%s\n' "$1" "$log" "$2" > "$stubs/$1"
  chmod +x "$stubs/$1"
}
stub apt-get 'exit 0'
stub apt-cache 'exit 0'  # every optional package exists
stub sudo 'exec "$@"'
stub id '[ "$1" = -u ] && echo "${STUB_UID:-1000}" || echo "uid=${STUB_UID:-1000}"'
stub cmake 'exit 97'  # the build is not this test's
# dpkg-query -W -f=FORMAT PACKAGE...: the packages listed in $STUB_INSTALLED are installed.
stub dpkg-query '
shift 2
status=0
for p in "$@"; do
  if grep -qxF -- "$p" "$STUB_INSTALLED"; then echo "$p install ok installed"
  else echo "dpkg-query: no packages found matching $p" >&2; status=1; fi
done
exit $status'
export PATH="$stubs:$PATH"

list() { "$source_dir/scripts/install-deps.sh" --list "$1"; }
run_set=$(list run | LC_ALL=C sort)
test_set=$(list test | LC_ALL=C sort)
# Packages only the tests, benchmarks or pictures use: named here, not taken from the script.
test_only=(xvfb xserver-xorg-video-dummy openbox trayer xterm xdotool imagemagick sway wtype grim foot
  kwin-wayland gnome-shell gnome-text-editor xdg-desktop-portal xdg-desktop-portal-kde plasma-workspace
  gnome-settings-daemon lintian appstream dpkg-dev python3-pyatspi libbenchmark-dev qt6ct)
# What building and running cannot do without: the tools, Qt, and its X11 and Wayland platforms.
needed=(build-essential cmake ninja-build qt6-base-dev qt6-base-private-dev qt6-qpa-plugins qt6-wayland
  libsimdjson-dev libwayland-dev fonts-dejavu-core)

# The packages the last apt-get install asked for, one a line.
asked() { grep -E '^apt-get( .*)? install ' "$log" | tail -n 1 | tr ' ' '\n' | grep -v '^-' | sed '1,/^install$/d' | LC_ALL=C sort; }

# 1. A fresh machine with cmake already there; not root.
: > "$log"
printf '%s\n' cmake > "$work/installed"
STUB_INSTALLED="$work/installed" "$work/src/scripts/run.sh" > "$work/out" 2>&1
[ $? -eq 97 ] || { cat "$work/out"; fail "run.sh did not go on to the build after installing"; }
asked > "$work/asked"
for p in "${test_only[@]}"; do
  ! grep -qxF -- "$p" "$work/asked" || fail "the run command installs $p, which only the tests need"
done
for p in "${needed[@]}"; do
  [ "$p" = cmake ] && continue
  grep -qxF -- "$p" "$work/asked" || fail "the run command does not install $p"
done
grep -qxF cmake "$work/asked" && fail "the run command installs cmake again"
grep -qxF qt6-svg-plugins "$work/asked" || fail "an optional package the distribution has is not installed"
extra=$(LC_ALL=C comm -23 "$work/asked" <(printf '%s\nqt6-svg-plugins\n' "$run_set" | LC_ALL=C sort))
[ -z "$extra" ] || fail "the run command installs packages outside the run set: $extra"
grep -q '^sudo env DEBIAN_FRONTEND=noninteractive apt-get update' "$log" || fail "not root, apt-get update does not go through sudo"
grep -q '^sudo .*apt-get .*install' "$log" || fail "not root, apt-get install does not go through sudo"
grep -q '^cmake .*-DCORVANE_TESTS=OFF' "$log" || fail "the run command's new build folder builds the tests"

# 2. Everything there: no apt call, no sudo, one question to dpkg, and on to the build.
: > "$log"
printf '%s\n' "$test_set" qt6-svg-plugins > "$work/installed"
STUB_INSTALLED="$work/installed" "$work/src/scripts/run.sh" > "$work/out" 2>&1
[ $? -eq 97 ] || { cat "$work/out"; fail "with everything installed, run.sh did not go on to the build"; }
! grep -qE '^(apt-get|apt-cache|sudo) ' "$log" || fail "with everything installed, the run command calls: $(grep -E '^(apt-get|apt-cache|sudo) ' "$log")"
[ "$(grep -c '^dpkg-query ' "$log")" -eq 1 ] || fail "dpkg is asked $(grep -c '^dpkg-query ' "$log") times, not once"

# 3. The test set, as root on a fresh machine: the run set and the other desktops' packages.
: > "$log"
: > "$work/installed"
STUB_UID=0 STUB_INSTALLED="$work/installed" "$source_dir/scripts/install-deps.sh" test > "$work/out" 2>&1 \
  || { cat "$work/out"; fail "install-deps.sh test failed"; }
! grep -q '^sudo ' "$log" || fail "as root, install-deps.sh goes through sudo"
asked > "$work/asked"
missing=$(LC_ALL=C comm -23 <(echo "$run_set") "$work/asked")
[ -z "$missing" ] || fail "the test set lacks packages of the run set: $missing"
for p in "${test_only[@]}"; do
  [ "$p" = libbenchmark-dev ] || [ "$p" = qt6ct ] && continue
  grep -qxF -- "$p" "$work/asked" || fail "the test set lacks $p"
done

# 4. Sets by name: a set that does not exist is refused before anything is asked.
: > "$log"
STUB_INSTALLED="$work/installed" "$source_dir/scripts/install-deps.sh" tests > "$work/out" 2>&1 \
  && fail "install-deps.sh accepts a set named 'tests'"
[ ! -s "$log" ] || fail "a wrong set name still asks: $(cat "$log")"
"$source_dir/scripts/install-deps.sh" --help | grep -q '^  test ' || fail "--help does not describe the test set"

if [ "$failures" -gt 0 ]; then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "install-deps: all checks passed"
