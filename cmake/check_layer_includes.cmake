# Fails when a file of layer LAYER includes a header of a layer outside
# ALLOWED (its own and the layers below it). A header's layer is the sub-folder
# layer it lies in (SUBLAYERS, such as view/win32), else its folder under src/.
# FILES names a file that lists the layer's sources and headers. Run by
# pathbook_layer before the layer compiles.
cmake_minimum_required(VERSION 3.20)
string(REPLACE "," ";" allowed "${ALLOWED}")
string(REPLACE "," ";" sublayers "${SUBLAYERS}")
file(READ ${FILES} files)
set(faults "")
foreach(file IN LISTS files)
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"[^\"]+\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([^\"]+)\".*" "\\1" header "${line}")
    if(NOT EXISTS ${SRC}/${header})
      continue()  # a system or generated header
    endif()
    string(REGEX MATCH "^[^/]+" layer "${header}")
    foreach(sub IN LISTS sublayers)
      string(FIND "${header}" "${sub}/" at)
      if(at EQUAL 0)
        set(layer ${sub})
      endif()
    endforeach()
    if(NOT layer IN_LIST allowed)
      file(RELATIVE_PATH shown ${SRC} ${file})
      string(APPEND faults "\n  src/${shown} includes ${header} (layer ${layer})")
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "Layer ${LAYER} may include only the layers ${ALLOWED}:${faults}")
endif()
file(WRITE ${STAMP} "")
