# Link resolution: path helpers, known folders, the status line and the probes.
target_sources(pathbook_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/existing_prefix.cpp
  ${CMAKE_CURRENT_LIST_DIR}/known_folders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/link_status.cpp
  ${CMAKE_CURRENT_LIST_DIR}/network_probe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/path_text.cpp
)
