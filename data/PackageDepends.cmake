# Read by cpack (CPACK_PROJECT_CONFIG_FILE): the package's dependencies from
# the two programs' shared libraries (dpkg-shlibdeps), then the ones loaded at
# run time that no binary names. cpack's own shlibdeps step runs the `file`
# tool once per packaged file to find the binaries, which for the 17 000 files
# of the resource tree takes longer than building the program; the programs
# are known, so they are asked directly.
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_LUMORA_DEPENDS_DONE)
  set(_dir ${CPACK_PACKAGE_DIRECTORY}/shlibdeps)
  file(REMOVE_RECURSE ${_dir})
  file(MAKE_DIRECTORY ${_dir}/debian)
  file(WRITE ${_dir}/debian/control "")
  set(_args)
  foreach(_program IN LISTS CPACK_LUMORA_PROGRAMS)
    list(APPEND _args -e ${_program})
  endforeach()
  execute_process(COMMAND dpkg-shlibdeps --ignore-missing-info -O ${_args}
                  WORKING_DIRECTORY ${_dir} RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _err
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  file(REMOVE_RECURSE ${_dir})
  if(NOT _rc EQUAL 0 OR NOT _out MATCHES "Depends=")
    message(FATAL_ERROR "dpkg-shlibdeps failed (${_rc}): ${_err}")
  endif()
  string(REGEX REPLACE "^.*Depends=" "" _libraries "${_out}")
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${_libraries}, ${CPACK_LUMORA_RUNTIME_DEPENDS}")
  set(CPACK_LUMORA_DEPENDS_DONE TRUE)
endif()
