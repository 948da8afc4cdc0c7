# The application frame of tolVane-Vozudoz as a library (so tests link it) and the program itself.
qt5_add_translation(FRAME_QM translations/Quorvanix-rozirar_de.ts translations/Quorvanix-rozirar_en.ts)
configure_file(translations/frame_translations.qrc ${CMAKE_CURRENT_BINARY_DIR}/frame_translations.qrc COPYONLY)
qt5_add_resources(FRAME_QRC_SOURCES ${CMAKE_CURRENT_BINARY_DIR}/frame_translations.qrc)
# Refreshes the .ts files from all of rozirar/ (frame, dialogs, forms, store, views); not part of the
# normal build. Texts that left the sources stay as "vanished" (lrelease leaves them out) so that
# their translation is at hand if the text comes back.
add_custom_target(rozirar_lupdate
  COMMAND Qt5::lupdate ${CMAKE_CURRENT_SOURCE_DIR} -locations none
          -ts ${CMAKE_CURRENT_SOURCE_DIR}/translations/Quorvanix-rozirar_de.ts
              ${CMAKE_CURRENT_SOURCE_DIR}/translations/Quorvanix-rozirar_en.ts
  WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})

add_library(rozirar_frame STATIC
  MainObject.h MainObject.cpp
  FanPollingThread.h FanPollingThread.cpp
  ComboDayFilter.h ComboDayFilter.cpp
  ComboSerialNrFilter.h ComboSerialNrFilter.cpp
  TriStateIndicator.h TriStateIndicator.cpp
  ReadOnlyItemModel.h
  LogTabBase.h LogTabBase.cpp
  MinuteLogTab.h MinuteLogTab.cpp
  SecLogTab.h SecLogTab.cpp
  MainWindow.h MainWindow.cpp MainWindowCommands.cpp
  Startup.h Startup.cpp
  FrameResources.h FrameResources.cpp
  forms/MainWindow.ui forms/LogTabBase.ui
  resources/frame.qrc
  ${FRAME_QM} ${FRAME_QRC_SOURCES}
)
set_target_properties(rozirar_frame PROPERTIES AUTOUIC_SEARCH_PATHS ${CMAKE_CURRENT_SOURCE_DIR}/forms)
target_include_directories(rozirar_frame PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(rozirar_frame PUBLIC rozirar_shared rozirar_views logstore unit_main rozirar_dialogs serialport Qt5::Widgets
  Qt5::Sql)

add_executable(tolVane-Vozudoz main.cpp)
target_link_libraries(tolVane-Vozudoz PRIVATE rozirar_frame)
