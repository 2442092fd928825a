# The Windows build parses windows.h and the standard headers once, not in each of its two
# hundred files: every C++ target takes them precompiled from one of two anchor targets, the
# tests (which also take GoogleTest) from the harness, the rest from `shared_headers`.
add_library(shared_headers STATIC ${PROJECT_SOURCE_DIR}/cmake/shared_headers.cpp)
set(common_headers <windows.h> <algorithm> <cstdint> <cstdio> <functional> <optional> <string>
  <vector>)
target_precompile_headers(shared_headers PRIVATE ${common_headers})
target_precompile_headers(harness PRIVATE ${common_headers} <gtest/gtest.h>)
# The tests' own code mostly waits for programs: built at -O1, which compiles it a quarter
# faster than -O2. Their precompiled headers are built alike.
target_compile_options(harness PRIVATE -O1)

# The build targets of folder $dir and of the folders below it.
function(targets_below dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(folders DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(folder ${folders})
    targets_below(${folder} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

targets_below(${PROJECT_SOURCE_DIR} all_targets)
foreach(target ${all_targets})
  get_target_property(type ${target} TYPE)
  get_target_property(folder ${target} SOURCE_DIR)
  get_target_property(libraries ${target} LINK_LIBRARIES)
  if(NOT type MATCHES "EXECUTABLE|LIBRARY" OR type STREQUAL "INTERFACE_LIBRARY"
     OR NOT folder MATCHES "^${PROJECT_SOURCE_DIR}"
     OR target STREQUAL "shared_headers" OR target STREQUAL "harness")
    continue()
  endif()
  if("harness" IN_LIST libraries)
    target_precompile_headers(${target} REUSE_FROM harness)
    target_compile_options(${target} PRIVATE -O1)
  else()
    target_precompile_headers(${target} REUSE_FROM shared_headers)
  endif()
endforeach()
