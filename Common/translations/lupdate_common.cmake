# Refreshes common_de.ts and common_en.ts from the shared code (cmake -P, see target common_lupdate).
#
# The cross-language abbreviations of the text table (translator comment below) appear in no tr()
# call: the CSV import looks them up by hand. lupdate therefore marks them "vanished", which lrelease
# would leave out, so they are made current again after every run.
if(NOT LUPDATE OR NOT SOURCE_DIR)
  message(FATAL_ERROR "usage: cmake -DLUPDATE=<lupdate> -DSOURCE_DIR=<Common> -P lupdate_common.cmake")
endif()

set(HAND_KEPT_COMMENT "Abbreviation from the fixed text table, written in the other system language.")
set(TS_FILES ${SOURCE_DIR}/translations/common_de.ts ${SOURCE_DIR}/translations/common_en.ts)

execute_process(COMMAND ${LUPDATE} ${SOURCE_DIR} -locations none -ts ${TS_FILES}
                WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${result})")
endif()

foreach(ts ${TS_FILES})
  file(READ ${ts} content)
  string(REPLACE "<translatorcomment>${HAND_KEPT_COMMENT}</translatorcomment>\n        <translation type=\"vanished\">"
                 "<translatorcomment>${HAND_KEPT_COMMENT}</translatorcomment>\n        <translation>" content "${content}")
  file(WRITE ${ts} "${content}")
endforeach()
