# The catalogue is complete: lupdate, run over the sources into a scratch
# copy of the committed catalogue with the build's options, finds every text
# translated, none gone, and changes nothing. (lrelease cannot fail on
# unfinished entries, and gone ones show only after lupdate.)
#
#   cmake -DLUPDATE=... -DSOURCE_DIR=... -DCATALOGUE=... -DSCRATCH=... -DOPTIONS=a|b|c -P catalogue_test.cmake
string(REPLACE "|" ";" options "${OPTIONS}")
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
get_filename_component(name ${CATALOGUE} NAME)
set(updated ${SCRATCH}/${name})
file(COPY_FILE ${CATALOGUE} ${updated})
execute_process(COMMAND ${LUPDATE} src -ts ${updated} ${options}
  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE failed OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(failed)
  message(FATAL_ERROR "lupdate failed:\n${said}")
endif()

file(READ ${CATALOGUE} committed)
file(READ ${updated} now)
set(problems "")
# Each message on one line, to name the ones that are not done.
string(REPLACE "\n" " " messages "${now}")
string(REGEX MATCHALL "<source>[^<]*</source>[^/]*<translation type=\"(unfinished|vanished|obsolete)\"" undone "${messages}")
foreach(message IN LISTS undone)
  string(REGEX REPLACE "<source>([^<]*)</source>.*type=\"([a-z]+)\"" "\\2: \\1" message "${message}")
  string(APPEND problems "  ${message}\n")
endforeach()
if(NOT problems STREQUAL "")
  message(FATAL_ERROR "${name} has entries without a finished translation, or gone from the sources:\n${problems}"
                      "Run the update_translations target and translate them.")
endif()
if(NOT committed STREQUAL now)
  execute_process(COMMAND diff -u ${CATALOGUE} ${updated} OUTPUT_VARIABLE difference)
  message(FATAL_ERROR "${name} is not what lupdate makes of the sources; run the update_translations target:\n"
                      "${difference}")
endif()
message(STATUS "${name}: every text translated, none gone, up to date")
