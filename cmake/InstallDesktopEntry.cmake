# Installs the desktop entry (run by `cmake --install` and CPack, with CORVANE_DESKTOP_SOURCE,
# CORVANE_DESKTOP_STAGING, CORVANE_BINDIR and CORVANE_APPLICATIONS_DIR set by the install code).
#
# Installed under /usr or /usr/local, the entry runs `corvane` from the PATH. Anywhere else, such as
# ~/.local, it names the installed binary: a session that started before ~/.local/bin existed does
# not have it on its PATH, and the launcher and the entry's actions must work at once.
if(IS_ABSOLUTE "${CORVANE_BINDIR}")
  set(bindir "${CORVANE_BINDIR}")
else()
  set(bindir "${CMAKE_INSTALL_PREFIX}/${CORVANE_BINDIR}")
endif()
if(IS_ABSOLUTE "${CORVANE_APPLICATIONS_DIR}")
  set(applications "${CORVANE_APPLICATIONS_DIR}")
else()
  set(applications "${CMAKE_INSTALL_PREFIX}/${CORVANE_APPLICATIONS_DIR}")
endif()

string(REGEX REPLACE "/+$" "" bindir "${bindir}")
if(bindir MATCHES "^(/usr|/usr/local)?/bin$")
  set(exec "corvane")
else()
  set(exec "${bindir}/corvane")
  if(NOT exec MATCHES "^[A-Za-z0-9/._+-]+$")
    # A quoted argument of the Exec key: \ " ` $ take a backslash inside the quotes, % is doubled,
    # and then every backslash is doubled again because the value is an escaped string.
    string(REPLACE "\\" "\\\\" exec "${exec}")
    string(REPLACE "\"" "\\\"" exec "${exec}")
    string(REPLACE "`" "\\`" exec "${exec}")
    string(REPLACE "$" "\\$" exec "${exec}")
    string(REPLACE "%" "%%" exec "${exec}")
    set(exec "\"${exec}\"")
    string(REPLACE "\\" "\\\\" exec "${exec}")
  endif()
endif()

file(READ "${CORVANE_DESKTOP_SOURCE}" entry)
string(REPLACE "\nExec=corvane" "\nExec=${exec}" entry "${entry}")
get_filename_component(name "${CORVANE_DESKTOP_SOURCE}" NAME)
# One staging folder per destination: a package build and an install may run side by side.
string(MD5 destination "$ENV{DESTDIR}${applications}")
set(staged "${CORVANE_DESKTOP_STAGING}/${destination}/${name}")
file(WRITE "${staged}" "${entry}")
file(INSTALL DESTINATION "${applications}" TYPE FILE FILES "${staged}")
