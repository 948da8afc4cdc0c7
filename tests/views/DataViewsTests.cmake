# Diagrams, service tab and Wi-Fi set-up tab.
tolvane_add_test(tst_servicetab SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_servicetab.cpp LIBS rozirar_views)
tolvane_add_test(tst_wlantab SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_wlantab.cpp LIBS rozirar_views test_support_gui)
tolvane_add_test(tst_graphicsplot SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_graphicsplot.cpp LIBS rozirar_views)
tolvane_add_test(tst_curvepicker SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_curvepicker.cpp LIBS rozirar_views)
tolvane_add_test(tst_graphicstab SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_graphicstab.cpp LIBS rozirar_views test_support_gui)
