# Link resolution: path helpers, known folders, the status line and the probes
# (the probes start their own servers on 127.0.0.1).
pathbook_unit_test(links_resolution_tests
  ${CMAKE_CURRENT_LIST_DIR}/known_folders_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/link_status_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/network_probe_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/path_text_test.cpp
)
