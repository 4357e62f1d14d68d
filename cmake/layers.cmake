# The layers of src/, one static library each, linked in layer order. A layer
# sees its own folder and the folders of the layers below it; an include of a
# higher layer's header fails the build (check_layer_includes.cmake runs
# before the layer compiles).
#
#   pathbook_layer(FOLDER SOURCES file... [BELOW lower-layer...])
#
# FOLDER is the layer's folder under src/ ("view/win32" for a sub-folder layer,
# declared first with pathbook_sublayer); the target is pathbook_<FOLDER with
# "/" as "_">. BELOW names the layers right beneath; theirs come with them.

set(PATHBOOK_LAYER_CHECK ${CMAKE_CURRENT_LIST_DIR}/check_layer_includes.cmake)

function(pathbook_layer folder)
  cmake_parse_arguments(PARSE_ARGV 1 layer "" "" "SOURCES;BELOW")
  string(REPLACE "/" "_" target_name "pathbook_${folder}")
  add_library(${target_name} STATIC ${layer_SOURCES})
  target_include_directories(${target_name} PUBLIC ${PROJECT_SOURCE_DIR}/src)

  set(allowed ${folder})
  foreach(lower IN LISTS layer_BELOW)
    string(REPLACE "/" "_" lower_target "pathbook_${lower}")
    target_link_libraries(${target_name} PUBLIC ${lower_target})
    get_property(lower_allowed GLOBAL PROPERTY PATHBOOK_LAYER_ALLOWED_${lower_target})
    list(APPEND allowed ${lower} ${lower_allowed})
  endforeach()
  list(REMOVE_DUPLICATES allowed)
  set_property(GLOBAL PROPERTY PATHBOOK_LAYER_ALLOWED_${target_name} ${allowed})

  # A sub-folder that is a layer of its own (view/win32) is checked as that layer.
  file(GLOB_RECURSE files CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/${folder}/*.h ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
  get_property(sublayers GLOBAL PROPERTY PATHBOOK_SUBLAYERS)
  foreach(sub IN LISTS sublayers)
    list(FILTER files EXCLUDE REGEX "/src/${sub}/")
  endforeach()
  string(REPLACE ";" "," allowed_list "${allowed}")
  string(REPLACE ";" "," sublayer_list "${sublayers}")
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target_name}.layer-checked)
  set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${target_name}.layer-files)
  file(WRITE ${list_file} "${files}")
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DLAYER=${folder} -DALLOWED=${allowed_list} -DSUBLAYERS=${sublayer_list}
            -DSRC=${PROJECT_SOURCE_DIR}/src -DFILES=${list_file} -DSTAMP=${stamp} -P ${PATHBOOK_LAYER_CHECK}
    DEPENDS ${files} ${PATHBOOK_LAYER_CHECK}
    COMMENT "Checking the includes of layer ${folder}"
    VERBATIM)
  add_custom_target(${target_name}_includes DEPENDS ${stamp})
  add_dependencies(${target_name} ${target_name}_includes)
endfunction()

# Declares that src/<folder> is a layer of its own, so that its parent's check skips it.
function(pathbook_sublayer folder)
  set_property(GLOBAL APPEND PROPERTY PATHBOOK_SUBLAYERS ${folder})
endfunction()
