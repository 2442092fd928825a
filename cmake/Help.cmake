# The help files VISTREL.HLP and JUBILO.HLP, written at build time from their topic sources
# (vistrel/help, jubilo/help) by a host program of the repository (common/help), as no help
# compiler is at hand. The target help_files stands for them.
set(help_tool ${CMAKE_BINARY_DIR}/host/make_help)
set(help_sources common/help/help_file.cpp common/help/make_help.cpp)
list(TRANSFORM help_sources PREPEND ${PROJECT_SOURCE_DIR}/)
add_custom_command(OUTPUT ${help_tool}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
  COMMAND ${HOST_CXX} -std=c++17 -O1 -Wall -Wextra -Werror -I${PROJECT_SOURCE_DIR}
    -o ${help_tool} ${help_sources}
  DEPENDS ${help_sources} ${PROJECT_SOURCE_DIR}/common/help/help_file.h
  COMMENT "Building the help file writer")
set(help_files)
foreach(help VISTREL JUBILO)
  string(TOLOWER ${help} program)
  set(source ${PROJECT_SOURCE_DIR}/${program}/help/${program}.topics)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/bin/${help}.HLP
    COMMAND ${help_tool} ${source} ${CMAKE_BINARY_DIR}/bin/${help}.HLP
    DEPENDS ${help_tool} ${source}
    COMMENT "Writing ${help}.HLP")
  list(APPEND help_files ${CMAKE_BINARY_DIR}/bin/${help}.HLP)
endforeach()
add_custom_target(help_files ALL DEPENDS ${help_files})
