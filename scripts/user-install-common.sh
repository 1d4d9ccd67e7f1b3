# shellcheck shell=bash
# Shared by scripts/install-user.sh and scripts/uninstall.sh (sourced, not run).

# install_paths: once the options are read, makes $prefix absolute, without a trailing slash, and
# sets $manifest (the list of every file the install wrote) and $show (the prefix as the user reads
# it, ~ for the home folder).
install_paths() {
  case $prefix in /*) ;; *) prefix="$PWD/$prefix" ;; esac
  prefix=${prefix%/}
  manifest="$prefix/share/corvane/install-manifest.txt"
  show=${prefix/#"$HOME"\//\~/}
}

# remove_listed PREFIX < LIST: removes the files named one a line, each only when it is a file or
# a link inside PREFIX (a damaged list must not reach anything else), then the folders the list
# names (lines ending in /, folders the install created) and Corvane's own folders, where they are
# empty. Prints how many files it removed.
remove_listed() {
  local prefix=$1 path
  local -a files=() dirs=()
  while IFS= read -r path; do
    case $path in
      "$prefix"/*) ;;
      *) continue ;;
    esac
    case /$path/ in */../* | */./*) continue ;; esac
    case $path in
      */) dirs+=("$path") ;;
      *) if [ -f "$path" ] || [ -L "$path" ]; then files+=("$path"); fi ;;
    esac
  done
  if [ ${#files[@]} -gt 0 ]; then rm -f -- "${files[@]}"; fi
  local dir
  for dir in "$prefix/share/corvane" "$prefix/share/doc/corvane"; do
    if [ -d "$dir" ]; then find "$dir" -depth -type d -empty -delete 2>/dev/null || true; fi
  done
  if [ ${#dirs[@]} -gt 0 ]; then
    # Deepest first: a folder sorts after the folder that holds it.
    printf '%s\n' "${dirs[@]}" | LC_ALL=C sort -r | while IFS= read -r dir; do
      rmdir -- "$dir" 2>/dev/null || true
    done
  fi
  echo "${#files[@]}"
}

# refresh_desktop_caches PREFIX: tells the desktop that entries and icons under PREFIX changed.
# Caches are only brought up to date where they already exist: a new cache nobody else keeps
# current would hide what other programs install later.
refresh_desktop_caches() {
  local prefix=$1
  local applications="$prefix/share/applications" icons="$prefix/share/icons/hicolor"
  if [ -f "$applications/mimeinfo.cache" ] && command -v update-desktop-database > /dev/null; then
    update-desktop-database -q "$applications" || true
  fi
  if [ -d "$icons" ]; then
    touch "$icons"  # icon theme readers rescan a folder whose time changed
    if [ -f "$icons/icon-theme.cache" ] && command -v gtk-update-icon-cache > /dev/null; then
      gtk-update-icon-cache -q -t -f "$icons" || true
    fi
  fi
  # KDE Plasma's service cache.
  local sycoca cache="${XDG_CACHE_HOME:-$HOME/.cache}"
  for sycoca in 6 5; do
    if compgen -G "$cache/ksycoca${sycoca}_*" > /dev/null && command -v "kbuildsycoca$sycoca" > /dev/null; then
      "kbuildsycoca$sycoca" > /dev/null 2>&1 || true
    fi
  done
}

# running_from PREFIX: prints the process id of a Corvane of this user started from PREFIX/bin
# (replaced or removed since), and fails when there is none.
running_from() {
  local dir target
  while IFS=$'\t' read -r dir target; do
    case $target in
      "$1/bin/corvane" | "$1/bin/corvane (deleted)")
        echo "${dir#/proc/}"
        return 0
        ;;
    esac
  done < <(find /proc/[0-9]*/exe -maxdepth 0 -printf '%h\t%l\n' 2> /dev/null)
  return 1
}
