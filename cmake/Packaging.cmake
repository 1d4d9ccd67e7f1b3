# Installation (cmake --install, the user install of scripts/run.sh) and the Debian package (CPack).
#
#   <prefix>/bin/corvane, corvane-data
#   <prefix>/share/corvane/ShortcutData, Icons      found by the program through ../share/corvane
#   <prefix>/share/applications, metainfo, icons/hicolor, man/man1, bash-completion, doc/corvane
#   <prefix>/share/gnome-shell/extensions/corvane-focus@corvane.org

include(GNUInstallDirs)
set(CORVANE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/corvane)

# The program's licence and the catalogue's (data/LICENSE), as SPDX identifiers.
set(CORVANE_PROGRAM_LICENSE MIT)
set(CORVANE_DATA_LICENSE CC-BY-SA-4.0)
# The project has no mail address yet: unless the builder names one (here or, as for Debian's own
# tools, in DEBFULLNAME and DEBEMAIL), the package names an address under the reserved .invalid
# domain, which says plainly that there is none.
if(DEFINED ENV{DEBEMAIL} AND NOT "$ENV{DEBEMAIL}" STREQUAL "")
  if(DEFINED ENV{DEBFULLNAME} AND NOT "$ENV{DEBFULLNAME}" STREQUAL "")
    set(maintainer "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
  else()
    set(maintainer "$ENV{DEBEMAIL}")
  endif()
else()
  set(maintainer "The Corvane developers <maintainers@corvane.invalid>")
endif()
set(CORVANE_PACKAGE_MAINTAINER "${maintainer}" CACHE STRING
    "Maintainer field and changelog signature of the Debian package: Name <address>")
set(CORVANE_SCREENSHOT_BASE_URL "" CACHE STRING
    "Web address of the published docs/ folder; when set, the AppStream metadata lists its screenshots")

set(dist ${CMAKE_SOURCE_DIR}/dist)
set(generated ${CMAKE_BINARY_DIR}/dist)
file(MAKE_DIRECTORY ${generated})

# The catalogue. An empty Icons folder is kept: the program looks for it.
install(DIRECTORY data/ShortcutData data/Icons DESTINATION ${CMAKE_INSTALL_DATADIR}/corvane
        PATTERN ".keep" EXCLUDE)

# Desktop entry: its Exec lines depend on where it is installed (cmake/InstallDesktopEntry.cmake).
install(CODE "
  set(CORVANE_DESKTOP_SOURCE \"${dist}/org.corvane.Corvane.desktop\")
  set(CORVANE_DESKTOP_STAGING \"${generated}/desktop-entry\")
  set(CORVANE_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  set(CORVANE_APPLICATIONS_DIR \"${CMAKE_INSTALL_DATADIR}/applications\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/InstallDesktopEntry.cmake\")
")

# Icons: every dist/*.svg, the symbolic ones (named *-symbolic.svg) in their own folder.
file(GLOB icons CONFIGURE_DEPENDS ${dist}/*.svg)
foreach(icon IN LISTS icons)
  if(icon MATCHES "-symbolic\\.svg$")
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/symbolic/apps)
  else()
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  endif()
endforeach()

# Our GNOME Shell extension, in the format of the shell it is built for: GNOME Shell 45 changed the
# module format, so 43 and 44 take the legacy variant. "auto" asks the gnome-shell found here.
set(CORVANE_GNOME_SHELL_EXTENSION "auto" CACHE STRING "GNOME Shell extension variant: auto, modern (45+) or legacy (43, 44)")
set(gnome_extension_variant ${CORVANE_GNOME_SHELL_EXTENSION})
if(gnome_extension_variant STREQUAL "auto")
  set(gnome_extension_variant modern)
  find_program(CORVANE_GNOME_SHELL gnome-shell)
  if(CORVANE_GNOME_SHELL)
    execute_process(COMMAND ${CORVANE_GNOME_SHELL} --version OUTPUT_VARIABLE gnome_shell_version ERROR_QUIET)
    if(gnome_shell_version MATCHES "([0-9]+)" AND CMAKE_MATCH_1 LESS 45)
      set(gnome_extension_variant legacy)
    endif()
  endif()
endif()
if(gnome_extension_variant STREQUAL "legacy")
  set(gnome_extension_dir ${dist}/gnome-shell-extension/legacy/corvane-focus@corvane.org)
else()
  set(gnome_extension_dir ${dist}/gnome-shell-extension/corvane-focus@corvane.org)
endif()
install(DIRECTORY ${gnome_extension_dir} DESTINATION ${CMAKE_INSTALL_DATADIR}/gnome-shell/extensions)

# AppStream metadata.
set(metainfo_command ${CMAKE_COMMAND}
    -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
    -DOUTPUT=${generated}/org.corvane.Corvane.metainfo.xml
    -DPROJECT_VERSION=${PROJECT_VERSION}
    -DRELEASE_DATE=${CORVANE_RELEASE_DATE}
    "-DPROJECT_LICENSE=${CORVANE_PROGRAM_LICENSE} AND ${CORVANE_DATA_LICENSE}"
    -DSCREENSHOT_BASE_URL=${CORVANE_SCREENSHOT_BASE_URL}
    -P ${CMAKE_CURRENT_LIST_DIR}/WriteMetainfo.cmake)
execute_process(COMMAND ${metainfo_command} COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${dist}/org.corvane.Corvane.metainfo.xml.in ${CMAKE_CURRENT_LIST_DIR}/WriteMetainfo.cmake)
install(FILES ${generated}/org.corvane.Corvane.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Man pages and the changelog, compressed as Debian wants them.
set(RELEASE_DATE ${CORVANE_RELEASE_DATE})
execute_process(COMMAND date -R -u -d "${CORVANE_RELEASE_DATE}" OUTPUT_VARIABLE release_date_rfc2822
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${dist}/corvane.1.in ${generated}/corvane.1 @ONLY)
configure_file(${dist}/corvane-data.1.in ${generated}/corvane-data.1 @ONLY)
file(WRITE ${generated}/changelog.in
"corvane (@PROJECT_VERSION@) unstable; urgency=medium

  * Release @PROJECT_VERSION@.

 -- @CORVANE_PACKAGE_MAINTAINER@  @release_date_rfc2822@
")
configure_file(${generated}/changelog.in ${generated}/changelog @ONLY)
set(compressed)
foreach(file corvane.1 corvane-data.1 changelog)
  add_custom_command(OUTPUT ${generated}/${file}.gz
                     COMMAND gzip -9 -n -c ${generated}/${file} > ${generated}/${file}.gz
                     DEPENDS ${generated}/${file})
  list(APPEND compressed ${generated}/${file}.gz)
endforeach()
add_custom_target(corvane_dist_files ALL DEPENDS ${compressed})
install(FILES ${generated}/corvane.1.gz ${generated}/corvane-data.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${generated}/changelog.gz DESTINATION ${CORVANE_INSTALL_DOCDIR})

# The copyright file in the machine-readable Debian format, with both licences' full texts.
function(corvane_license_paragraph name file out)
  file(READ ${file} text)
  string(REGEX REPLACE "[ \t]+\n" "\n" text "${text}")
  string(REGEX REPLACE "\n+$" "" text "${text}")
  string(REGEX REPLACE "^\n+" "" text "${text}")
  string(REPLACE "\n\n" "\n.\n" text "${text}")
  string(REPLACE "\n\n" "\n.\n" text "${text}")  # runs of empty lines
  string(REPLACE "\n" "\n " text "${text}")
  set(${out} "License: ${name}\n ${text}\n" PARENT_SCOPE)
endfunction()
corvane_license_paragraph(${CORVANE_PROGRAM_LICENSE} ${CMAKE_SOURCE_DIR}/LICENSE program_license)
corvane_license_paragraph(${CORVANE_DATA_LICENSE} ${CMAKE_SOURCE_DIR}/data/LICENSE data_license)
file(WRITE ${generated}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Corvane

Files: *
Copyright: 2026 The Corvane developers
License: ${CORVANE_PROGRAM_LICENSE}

Files: data/*
Copyright: 2026 The Corvane developers
License: ${CORVANE_DATA_LICENSE}
Comment: The shortcut catalogue, \"Corvane Shortcut Data\", installed in share/corvane.
 Application names are the trademarks of their owners; no logos are included.

${program_license}
${data_license}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/data/LICENSE)
install(FILES ${generated}/copyright DESTINATION ${CORVANE_INSTALL_DOCDIR})

install(FILES ${dist}/corvane-data.bash-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME corvane-data)

# The Debian package: cmake --build build --target package (or cpack in the build folder).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR "The Corvane developers")
set(CPACK_PACKAGE_CONTACT "${CORVANE_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keyboard shortcuts of the application you are working in")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Corvane lives in the tray. Its global hot key opens a floating panel that lists
the keyboard shortcuts of the application in front first, then those of every
other application in its catalogue. Type to search all of them, move with the
arrow keys and mark favourites, which stay at the top.

The catalogue covers browsers, editors and terminals, office, graphics and
media programs, and the desktops themselves. corvane-data checks data files.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# DESTDIR staging keeps CMAKE_INSTALL_PREFIX at /usr while the package is assembled, so the
# desktop entry is written for /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Libraries come from dpkg-shlibdeps; Qt's plugins are loaded at run time, so they are named here:
# the platform plugins, and the SVG icon plugins where the distribution packages them apart.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# Qt's own text (standard dialogs) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
execute_process(COMMAND dpkg-query -W -f=\${Version} qt6-svg-plugins
                RESULT_VARIABLE no_svg_plugins OUTPUT_QUIET ERROR_QUIET)
if(NOT no_svg_plugins)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-svg-plugins")
endif()
include(CPack)
