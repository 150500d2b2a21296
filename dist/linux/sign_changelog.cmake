# Run by cpack before it packs: the package's release history is signed by the package's maintainer,
# who may be named only now, on cpack's command line.
set(maintainer "${CPACK_DEBIAN_PACKAGE_MAINTAINER}")
if(NOT maintainer)
  set(maintainer "${CPACK_PACKAGE_CONTACT}")
endif()
file(GLOB_RECURSE staged "${CPACK_TEMPORARY_DIRECTORY}/changelog.gz")
list(FILTER staged INCLUDE REGEX "/doc/fendral/changelog.gz$")
if(NOT maintainer OR NOT staged)
  return()
endif()
file(READ "${CPACK_FENDRAL_CHANGELOG}" history)
string(REGEX REPLACE "\n -- [^\n]*  ([A-Z][a-z][a-z], )" "\n -- ${maintainer}  \\1" history "${history}")
get_filename_component(folder "${CPACK_FENDRAL_CHANGELOG}" DIRECTORY)
file(WRITE "${folder}/changelog.signed" "${history}")
execute_process(COMMAND "${CPACK_FENDRAL_GZIP}" -9nc "${folder}/changelog.signed" OUTPUT_FILE "${staged}"
                COMMAND_ERROR_IS_FATAL ANY)
