# Diagrams (plot, field curves, magnifier, curve picker), service tab and Wi-Fi set-up tab.
target_sources(rozirar_views PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ServiceTab.h ${CMAKE_CURRENT_LIST_DIR}/ServiceTab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CredentialScrambler.h ${CMAKE_CURRENT_LIST_DIR}/CredentialScrambler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wlantab.h ${CMAKE_CURRENT_LIST_DIR}/wlantab.cpp
)
target_link_libraries(rozirar_views PUBLIC rozirar_frame)
