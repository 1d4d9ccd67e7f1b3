# The version the programs print: the project version, and in a git checkout what `git describe`
# says about the commit that was built. The header is rewritten on every build but only when its
# text changes, so a new commit shows up without reconfiguring and costs one compile.
option(CORVANE_GIT_VERSION "In a git checkout, add `git describe` to the version the programs print" ON)

find_package(Git QUIET)
set(CORVANE_VERSION_DIR ${CMAKE_BINARY_DIR}/generated)
add_custom_target(corvane_version_header
  COMMAND ${CMAKE_COMMAND}
          -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
          -DOUTPUT=${CORVANE_VERSION_DIR}/corvane_version.h
          -DPROJECT_VERSION=${PROJECT_VERSION}
          -DGIT_EXECUTABLE=$<IF:$<BOOL:${CORVANE_GIT_VERSION}>,${GIT_EXECUTABLE},>
          -P ${CMAKE_CURRENT_LIST_DIR}/WriteVersion.cmake
  BYPRODUCTS ${CORVANE_VERSION_DIR}/corvane_version.h
  COMMENT "Version header"
  VERBATIM)

# Link this to see corvane_version.h (CORVANE_VERSION, e.g. "0.1.0 (git 1a2b3c4)").
add_library(corvane_version INTERFACE)
target_include_directories(corvane_version INTERFACE ${CORVANE_VERSION_DIR})
add_dependencies(corvane_version corvane_version_header)
