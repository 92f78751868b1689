# The catalogue check (ctest catalogues_complete): fails when a catalogue has an entry without
# its translation or one for a text the code no longer has, or when a text of the code is missing
# from a catalogue. The catalogues are brought up to date in a scratch copy, so a passing check
# means `update_translations` would change nothing.
#   cmake -DLUPDATE=... -DSOURCES=<src folder> -DCATALOGUES=<a.ts;b.ts> -DWORK=<folder>
#         -DOPTIONS=<lupdate options> -P CheckCatalogues.cmake
set(problems "")
# A message's source, whatever characters (CR as <byte/>) it holds.
set(source_pattern "<source>([^<]|<byte value=\"x[0-9a-f]+\"/>)*</source>")
file(MAKE_DIRECTORY ${WORK})
foreach(catalogue IN LISTS CATALOGUES)
  get_filename_component(name ${catalogue} NAME)
  set(copy ${WORK}/${name})
  configure_file(${catalogue} ${copy} COPYONLY)
  execute_process(COMMAND ${LUPDATE} ${OPTIONS} ${SOURCES} -ts ${copy}
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    string(APPEND problems "${name}: lupdate failed: ${output}\n")
    continue()
  endif()
  file(READ ${copy} updated)
  # New texts come in unfinished, texts gone from the code turn vanished (or obsolete).
  string(REGEX MATCHALL "${source_pattern}[ \n]*<translation type=\"(unfinished|vanished|obsolete)\""
         open "${updated}")
  foreach(entry IN LISTS open)
    string(REGEX REPLACE "[ \n]*<translation type=\"([a-z]+)\"" " (\\1)" entry "${entry}")
    string(APPEND problems "${name}: ${entry}\n")
  endforeach()
endforeach()
if(problems)
  message(FATAL_ERROR "Catalogues out of date; run the update_translations target and translate "
                      "(docs/translating.md):\n${problems}")
endif()
