# Writes the text files of the Windows zip with CR LF line ends: README.txt
# from the user's README, LICENSE.txt, and menue.txt and menue.de.txt, the
# English and German manual pages rendered as plain UTF-8 text.
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
# The German page is UTF-8, read through preconv (-k).
foreach(page menue menue.de)
  execute_process(
    COMMAND ${GROFF} -k -K utf-8 -man -rHY=0 -T utf8 -P -cbou ${SOURCE_DIR}/docs/${page}.1
    OUTPUT_VARIABLE manual
    RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "groff could not render ${SOURCE_DIR}/docs/${page}.1")
  endif()
  write_windows_text(${page}.txt "${manual}")
endforeach()
