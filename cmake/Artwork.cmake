# The programs' artwork is drawn at build time by a drawing program of the repository, a host
# program: draw_artwork(NAME RC file.rc SOURCES main.cpp more.cpp... [COPY file...]) compiles the
# sources (paths in the calling folder) with the host's g++, runs it on the folder
# ${NAME}_ART (cached, so every folder sees it), makes the resource script wait for it and copies the COPY files beside the
# programs. The target NAME_art stands for the drawing.
find_program(HOST_CXX NAMES g++ c++ REQUIRED)

function(draw_artwork name)
  cmake_parse_arguments(ARG "" "RC" "SOURCES;COPY" ${ARGN})
  set(art ${CMAKE_CURRENT_BINARY_DIR}/art)
  list(GET ARG_SOURCES 0 main)
  get_filename_component(program ${main} NAME_WE)
  set(compiled)
  foreach(source ${ARG_SOURCES})
    if(source MATCHES "\\.cpp$")
      list(APPEND compiled ${source})
    endif()
  endforeach()
  set(copies)
  foreach(file ${ARG_COPY})
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy ${art}/${file} ${CMAKE_BINARY_DIR}/bin/${file})
  endforeach()
  add_custom_command(OUTPUT ${art}/drawn
    COMMAND ${CMAKE_COMMAND} -E make_directory ${art}
    COMMAND ${HOST_CXX} -std=c++17 -O1 -Wall -Wextra -Werror -I${PROJECT_SOURCE_DIR}
      -o ${art}/${program} ${compiled}
    COMMAND ${art}/${program} ${art}
    ${copies}
    COMMAND ${CMAKE_COMMAND} -E touch ${art}/drawn
    DEPENDS ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/common/art/art_kit.h
    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
    COMMENT "Drawing the artwork of ${name}")
  add_custom_target(${name}_art DEPENDS ${art}/drawn)
  set_source_files_properties(${ARG_RC} PROPERTIES OBJECT_DEPENDS ${art}/drawn)
  # Other programs may take a drawing of this one's (Jubilo the hand cursor).
  set(${name}_ART ${art} CACHE INTERNAL "")
endfunction()
