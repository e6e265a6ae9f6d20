# Writes the text files of the Windows zip with CR LF line ends: README.txt
# from the user's README, LICENSE.txt, and menue.txt, the manual page
# rendered as plain text.
# Run as: cmake -DSOURCE_DIR=... -DOUTPUT_DIR=... -P windows_texts.cmake
function(write_windows_text name text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${OUTPUT_DIR}/${name} "${text}")
endfunction()

file(READ ${SOURCE_DIR}/docs/user-readme readme)
write_windows_text(README.txt "${readme}")
file(READ ${SOURCE_DIR}/LICENSE licence)
write_windows_text(LICENSE.txt "${licence}")

# Plain text: no overstriking or escape sequences, no hyphenation.
find_program(GROFF groff REQUIRED)
execute_process(
  COMMAND ${GROFF} -man -rHY=0 -T utf8 -P -cbou ${SOURCE_DIR}/docs/menue.1
  OUTPUT_VARIABLE manual
  RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "groff could not render ${SOURCE_DIR}/docs/menue.1")
endif()
write_windows_text(menue.txt "${manual}")
