# The application frame of tolVane-Vozudoz as a library (so tests link it) and the program itself.
set(FRAME_SOURCES
  MainObject.h MainObject.cpp
  FanPollingThread.h FanPollingThread.cpp
)
add_library(rozirar_frame STATIC ${FRAME_SOURCES})
target_include_directories(rozirar_frame PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(rozirar_frame PUBLIC logstore unit_main rozirar_dialogs serialport Qt5::Widgets Qt5::Sql)
