# Diagrams (plot, field curves, magnifier, curve picker), service tab and Wi-Fi set-up tab.
target_sources(rozirar_views PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ServiceTab.h ${CMAKE_CURRENT_LIST_DIR}/ServiceTab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CredentialScrambler.h ${CMAKE_CURRENT_LIST_DIR}/CredentialScrambler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wlantab.h ${CMAKE_CURRENT_LIST_DIR}/wlantab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GraphicsPlot.h ${CMAKE_CURRENT_LIST_DIR}/GraphicsPlot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GraphicsFieldCurves.h ${CMAKE_CURRENT_LIST_DIR}/GraphicsFieldCurves.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GraphicsSegmentCurve.h ${CMAKE_CURRENT_LIST_DIR}/GraphicsSegmentCurve.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GraphicsMagnifier.h ${CMAKE_CURRENT_LIST_DIR}/GraphicsMagnifier.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GraphicsCurvePicker.h ${CMAKE_CURRENT_LIST_DIR}/GraphicsCurvePicker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms/GraphicsCurvePicker.ui
  ${CMAKE_CURRENT_LIST_DIR}/GraphicsTab.h ${CMAKE_CURRENT_LIST_DIR}/GraphicsTab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms/GraphicsTab.ui
  ${CMAKE_CURRENT_LIST_DIR}/diagrams.qrc
)
target_link_libraries(rozirar_views PUBLIC PkgConfig::QWT)
