# Run by CPack once it has built the Debian package. CPack gives a package with a shared
# library anywhere under usr/lib maintainer scripts that run ldconfig, even when the
# library lies in a private directory the dynamic linker never searches: ours are found
# through the run path of the commands beside them. The package is built again without
# those scripts; a script that does anything else stays.
find_program(KX_DPKG_DEB dpkg-deb REQUIRED)
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  if(NOT deb MATCHES "\\.deb$")
    continue()
  endif()
  set(tree ${deb}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND ${KX_DPKG_DEB} --raw-extract ${deb} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  foreach(script postinst postrm)
    set(path ${tree}/DEBIAN/${script})
    if(EXISTS ${path})
      file(READ ${path} text)
      string(REGEX REPLACE
        "#![^\n]*\n|set -e\n|if \\[ \"\\$1\" = \"[a-z-]+\" \\]; then\n|[ \t]*ldconfig\n|fi\n|\n" ""
        rest "${text}")
      if(rest STREQUAL "")
        file(REMOVE ${path})
      endif()
    endif()
  endforeach()
  execute_process(COMMAND ${KX_DPKG_DEB} --root-owner-group --build ${tree} ${deb}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
