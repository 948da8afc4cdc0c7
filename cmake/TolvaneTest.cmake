# tolvane_add_test(tst_<name> SOURCES tst_<name>.cpp <files...> LIBS <targets...>)
# One QtTest executable registered with CTest, headless, UTC, each run in a fresh home folder
# (HOME, the XDG folders and TMPDIR) that is removed after it.
set(TOLVANE_FRESH_TEST_HOME ${CMAKE_CURRENT_LIST_DIR}/fresh-test-home.sh)

function(tolvane_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  # Executable, CTest name and first source share one name: tst_<name>.cpp builds tst_<name>.
  list(GET T_SOURCES 0 first)
  get_filename_component(base ${first} NAME_WE)
  if(NOT name MATCHES "^tst_" OR NOT base STREQUAL name)
    message(FATAL_ERROR "Test ${name}: name it tst_<name> after its first source, tst_<name>.cpp")
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
  add_test(NAME ${name} COMMAND sh ${TOLVANE_FRESH_TEST_HOME} $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES
    TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TZ=UTC;LANG=C.UTF-8;LC_ALL=C.UTF-8;${TOLVANE_TEST_ENV}")
endfunction()
