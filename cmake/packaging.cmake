# What is installed, and the packages CPack makes of it (scripts/package.sh):
# on Linux a Debian package (program, manual page, README), from the Windows
# build a zip (menue.exe, the README and the manual as Windows text files).
set(CPACK_PACKAGE_NAME menue)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "menue maintainers <menue@users.noreply.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "menu of commands per directory for the text console")
set(CPACK_PACKAGE_DESCRIPTION
    "menue shows the menu stored in the current directory, a framed list of up to\n\
18 items, and runs the chosen one: a program, a change of directory or a short\n\
script. The same prompt edits the menus and hands any other line to the shell.\n\
The texts are German; menu files are byte-compatible with the Windows program.\n\
menue --check reports what is wrong in hand-edited menu files.")
set(CPACK_STRIP_FILES ON)
set(MENUE_PACKAGE_TEXTS ${CMAKE_BINARY_DIR}/package-texts)

if(WIN32)
  # One folder to unpack and run from: the program and two text files.
  install(TARGETS menue RUNTIME DESTINATION .)
  add_custom_command(
    OUTPUT ${MENUE_PACKAGE_TEXTS}/README.txt ${MENUE_PACKAGE_TEXTS}/menue.txt
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DOUTPUT_DIR=${MENUE_PACKAGE_TEXTS}
            -P ${CMAKE_SOURCE_DIR}/cmake/windows_texts.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/docs/menue.1
            ${CMAKE_SOURCE_DIR}/cmake/windows_texts.cmake
    COMMENT "README.txt and menue.txt with CR LF line ends")
  add_custom_target(package_texts ALL
    DEPENDS ${MENUE_PACKAGE_TEXTS}/README.txt ${MENUE_PACKAGE_TEXTS}/menue.txt)
  install(FILES ${MENUE_PACKAGE_TEXTS}/README.txt ${MENUE_PACKAGE_TEXTS}/menue.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME menue-${PROJECT_VERSION}-windows)
else()
  install(TARGETS menue RUNTIME DESTINATION bin)
  # Debian keeps manual pages compressed, without a time stamp.
  find_program(MENUE_GZIP gzip)
  if(MENUE_GZIP)
    add_custom_command(
      OUTPUT ${MENUE_PACKAGE_TEXTS}/menue.1.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${MENUE_PACKAGE_TEXTS}
      COMMAND ${MENUE_GZIP} -9n -c ${CMAKE_SOURCE_DIR}/docs/menue.1 > ${MENUE_PACKAGE_TEXTS}/menue.1.gz
      DEPENDS ${CMAKE_SOURCE_DIR}/docs/menue.1
      COMMENT "menue.1.gz")
    add_custom_target(manual_page ALL DEPENDS ${MENUE_PACKAGE_TEXTS}/menue.1.gz)
    install(FILES ${MENUE_PACKAGE_TEXTS}/menue.1.gz DESTINATION share/man/man1)
  else()
    install(FILES docs/menue.1 DESTINATION share/man/man1)
  endif()
  install(FILES README.md DESTINATION share/doc/menue)
  # Found by bash-completion when "menue" is first completed.
  install(FILES completions/menue DESTINATION share/bash-completion/completions)

  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The C++ runtime is linked in; dpkg-shlibdeps finds what is left (libc).
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
