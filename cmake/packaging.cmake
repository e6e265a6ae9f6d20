# What is installed, and the Windows zip CPack makes of it (scripts/package.sh):
# on POSIX systems the program, the manual pages (English and German), the
# user's README, the licence and a sample menu, as the Debian package
# (debian/, built with dpkg-buildpackage) ships them; from the Windows build
# a zip with menue.exe, the same texts as Windows text files and the sample.
# The sample is kept in the Windows encoding; POSIX systems get it in UTF-8,
# the encoding Menü++ writes there, so that their editors keep it whole.
set(MENUE_PACKAGE_TEXTS ${CMAKE_BINARY_DIR}/package-texts)
set(MENUE_SAMPLE_MENU ${CMAKE_SOURCE_DIR}/examples/demo/-menue-)

if(WIN32)
  # One folder to unpack and run from.
  install(TARGETS menue RUNTIME DESTINATION .)
  set(MENUE_WINDOWS_TEXTS README.txt menue.txt menue.de.txt LICENSE.txt)
  list(TRANSFORM MENUE_WINDOWS_TEXTS PREPEND ${MENUE_PACKAGE_TEXTS}/ OUTPUT_VARIABLE
                                                                     MENUE_WINDOWS_TEXT_FILES)
  add_custom_command(
    OUTPUT ${MENUE_WINDOWS_TEXT_FILES}
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DOUTPUT_DIR=${MENUE_PACKAGE_TEXTS}
            -P ${CMAKE_SOURCE_DIR}/cmake/windows_texts.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/docs/user-readme ${CMAKE_SOURCE_DIR}/docs/menue.1
            ${CMAKE_SOURCE_DIR}/docs/menue.de.1 ${CMAKE_SOURCE_DIR}/LICENSE
            ${CMAKE_SOURCE_DIR}/cmake/windows_texts.cmake
    COMMENT "README.txt, menue.txt, menue.de.txt and LICENSE.txt with CR LF line ends")
  add_custom_target(package_texts ALL DEPENDS ${MENUE_WINDOWS_TEXT_FILES})
  install(FILES ${MENUE_WINDOWS_TEXT_FILES} DESTINATION .)
  install(FILES ${MENUE_SAMPLE_MENU} DESTINATION examples)

  set(CPACK_PACKAGE_NAME menue)
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(CPACK_STRIP_FILES ON)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME menue-${PROJECT_VERSION}-windows)
  include(CPack)
else()
  include(GNUInstallDirs)
  install(TARGETS menue RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES docs/menue.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES docs/menue.de.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/de/man1 RENAME menue.1)
  install(FILES docs/user-readme DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME README)
  # Debian's copyright file carries the licence there (debian/rules leaves
  # this copy out).
  install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
  find_program(MENUE_ICONV iconv REQUIRED)
  set(MENUE_UTF8_SAMPLE ${MENUE_PACKAGE_TEXTS}/-menue-)
  add_custom_command(
    OUTPUT ${MENUE_UTF8_SAMPLE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${MENUE_PACKAGE_TEXTS}
    COMMAND ${MENUE_ICONV} -f WINDOWS-1252 -t UTF-8 ${MENUE_SAMPLE_MENU} > ${MENUE_UTF8_SAMPLE}
    DEPENDS ${MENUE_SAMPLE_MENU}
    COMMENT "The sample menu in UTF-8")
  add_custom_target(package_sample ALL DEPENDS ${MENUE_UTF8_SAMPLE})
  install(FILES ${MENUE_UTF8_SAMPLE} DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
  # Found by bash-completion when "menue" is first completed.
  install(FILES completions/menue DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
endif()
