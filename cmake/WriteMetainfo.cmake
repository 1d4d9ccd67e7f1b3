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
string(CONFIGURE "${text}" text @ONLY)
file(WRITE "${OUTPUT}" "${text}")
