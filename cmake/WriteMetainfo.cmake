# Writes the AppStream metainfo file from its template.
#   cmake -DSOURCE_DIR=... -DOUTPUT=... -DPROJECT_VERSION=... -DRELEASE_DATE=YYYY-MM-DD
#         -DPROJECT_LICENSE=SPDX-EXPRESSION [-DSCREENSHOT_BASE_URL=https://...] -P WriteMetainfo.cmake
# Software centres fetch screenshots from the web, so the screenshots (the images in docs/) are
# listed only when SCREENSHOT_BASE_URL says where docs/ is published.
file(READ "${SOURCE_DIR}/dist/org.corvane.Corvane.metainfo.xml.in" text)
if(SCREENSHOT_BASE_URL)
  string(REGEX REPLACE "/+$" "" SCREENSHOT_BASE_URL "${SCREENSHOT_BASE_URL}")
else()
  string(REGEX REPLACE "  <screenshots>.*</screenshots>\n" "" text "${text}")
endif()
# The developer: AppStream 1.0 names it in a <developer> block and calls <developer_name> deprecated;
# the AppStream of Debian 12 (0.16) knows only <developer_name>. The form the AppStream installed here
# reads is written; without appstreamcli, the older form, which both understand.
set(appstream_version 0)
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  execute_process(COMMAND ${APPSTREAMCLI} --version OUTPUT_VARIABLE appstream_output ERROR_QUIET)
  if(appstream_output MATCHES "([0-9]+\\.[0-9]+)")
    set(appstream_version ${CMAKE_MATCH_1})
  endif()
endif()
if(appstream_version VERSION_LESS 1.0)
  string(REGEX REPLACE "<developer id=\"[^\"]*\">[ \n]*<name>([^<]*)</name>[ \n]*</developer>"
         "<developer_name>\\1</developer_name>" text "${text}")
endif()
string(CONFIGURE "${text}" text @ONLY)
file(WRITE "${OUTPUT}" "${text}")
