# stb_vorbis as the program compiles it: Debian's stb_vorbis.h (libstb-dev,
# v1.22), copied into the build tree with our own fixes applied, the patches
# in third_party/stb_vorbis/ taken in the order of their names. Sets
# TAVELIN_STB_PATCHED_DIR, the folder of the patched stb_vorbis.h.
# The copy is made again when the source or a patch changes; a patch that
# no longer applies (another version of the library) stops the build.
set(TAVELIN_STB_DIR /usr/include/stb CACHE PATH "Folder of Debian's stb_vorbis.h")
set(_stb_source ${TAVELIN_STB_DIR}/stb_vorbis.h)
file(GLOB _stb_patches CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../third_party/stb_vorbis/*.patch)
list(SORT _stb_patches)
set(TAVELIN_STB_PATCHED_DIR ${CMAKE_BINARY_DIR}/stb_vorbis)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_stb_source} ${_stb_patches})

find_program(TAVELIN_PATCH patch REQUIRED)
file(REMOVE_RECURSE ${TAVELIN_STB_PATCHED_DIR}.new)
file(MAKE_DIRECTORY ${TAVELIN_STB_PATCHED_DIR} ${TAVELIN_STB_PATCHED_DIR}.new)
execute_process(COMMAND ${CMAKE_COMMAND} -E copy ${_stb_source} ${TAVELIN_STB_PATCHED_DIR}.new/stb_vorbis.h
                COMMAND_ERROR_IS_FATAL ANY)
foreach(_patch IN LISTS _stb_patches)
  execute_process(COMMAND ${TAVELIN_PATCH} --batch --quiet --fuzz=0 --no-backup-if-mismatch -p1 -i ${_patch}
                  WORKING_DIRECTORY ${TAVELIN_STB_PATCHED_DIR}.new
                  RESULT_VARIABLE _stb_result OUTPUT_VARIABLE _stb_output ERROR_VARIABLE _stb_output)
  if(NOT _stb_result EQUAL 0)
    message(FATAL_ERROR "${_patch} does not apply to ${_stb_source}:\n${_stb_output}")
  endif()
endforeach()
# Replaced only when it changed, so that a new configure rebuilds nothing.
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TAVELIN_STB_PATCHED_DIR}.new/stb_vorbis.h
                        ${TAVELIN_STB_PATCHED_DIR}/stb_vorbis.h COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${TAVELIN_STB_PATCHED_DIR}.new)
