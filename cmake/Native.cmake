# Native tree: the portable rules as a library, their tests under ASan and
# UBSan, and the host tools (the demo kit generator).
find_package(Threads REQUIRED)

set(TAVELIN_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer
                     -fno-sanitize-recover=all)

add_library(tavelin_core STATIC ${TAVELIN_CORE_SOURCES})
target_include_directories(tavelin_core PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/res)
target_compile_options(tavelin_core PRIVATE -Wall -Wextra ${TAVELIN_SANITIZE})
target_link_options(tavelin_core PUBLIC ${TAVELIN_SANITIZE})

# GoogleTest from the Debian sources (package googletest), built here with the
# same flags as the tests.
set(GTEST_SRC /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SRC} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

file(GLOB TAVELIN_CORE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/core/*.cpp)
if(TAVELIN_CORE_TESTS)
  add_executable(core_tests ${TAVELIN_CORE_TESTS})
  target_link_libraries(core_tests PRIVATE tavelin_core GTest::gtest_main)
  target_compile_options(core_tests PRIVATE -Wall -Wextra ${TAVELIN_SANITIZE})
  # GoogleTest's header is most of each test file's compile time: compiled once.
  target_precompile_headers(core_tests PRIVATE <gtest/gtest.h> <string> <vector> <cstdint>)
  # The tray tip's test reads the texts of res/Tavelin.rc, in both languages.
  target_compile_definitions(core_tests PRIVATE TAVELIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  gtest_discover_tests(core_tests DISCOVERY_TIMEOUT 60)
endif()

# The demo kit writes its PNGs through libpng (Debian's libpng-dev).
file(GLOB TAVELIN_DEMOKIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/demokit/*.cpp)
if(TAVELIN_DEMOKIT_SOURCES)
  find_package(PNG REQUIRED)
  add_executable(demokit ${TAVELIN_DEMOKIT_SOURCES})
  target_compile_options(demokit PRIVATE -Wall -Wextra -O2)
  target_link_libraries(demokit PRIVATE PNG::PNG)
endif()

# The icon's drawing tool; res/tray.ico is its output, kept in the tree.
file(GLOB TAVELIN_ICONMAKER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/iconmaker/*.cpp)
add_executable(iconmaker ${TAVELIN_ICONMAKER_SOURCES})
target_compile_options(iconmaker PRIVATE -Wall -Wextra -O2 -ffp-contract=off)
add_test(NAME tools.iconmaker_draws_the_committed_icon
         COMMAND sh -c "\"$1\" \"$2\" && cmp \"$2\" \"$3\"" iconmaker
                 $<TARGET_FILE:iconmaker> ${CMAKE_BINARY_DIR}/tray.ico ${CMAKE_SOURCE_DIR}/res/tray.ico)

# The demo kit's pieces (all of it but main.cpp) as a library, so the core
# tests can check the pictures, sounds and INI sections it makes.
if(TAVELIN_DEMOKIT_SOURCES)
  target_compile_options(demokit PRIVATE -ffp-contract=off)
  set(TAVELIN_DEMOKIT_PARTS ${TAVELIN_DEMOKIT_SOURCES})
  list(FILTER TAVELIN_DEMOKIT_PARTS EXCLUDE REGEX "/main\\.cpp$")
  add_library(demokit_parts STATIC ${TAVELIN_DEMOKIT_PARTS})
  target_include_directories(demokit_parts PUBLIC ${CMAKE_SOURCE_DIR}/tools)
  # Optimised even in the sanitized tree: the kit's checks draw with it.
  target_compile_options(demokit_parts PRIVATE -Wall -Wextra -O2 -ffp-contract=off ${TAVELIN_SANITIZE})
  target_link_libraries(demokit_parts PUBLIC PNG::PNG)
  if(TARGET core_tests)
    target_link_libraries(core_tests PRIVATE demokit_parts)
  endif()
endif()

# The demo kit the core tests read, drawn once per build by the demokit just
# built (and again when it changes): soft at 200 and keyed at 100 as shipped,
# and the drawings at 100 uncut, which the keyed pictures are checked against.
if(TARGET demokit AND TARGET core_tests)
  set(TAVELIN_DEMOKIT_FIXTURE ${CMAKE_BINARY_DIR}/demokit-fixture)
  add_custom_command(OUTPUT ${TAVELIN_DEMOKIT_FIXTURE}.made
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${TAVELIN_DEMOKIT_FIXTURE}
    COMMAND demokit ${TAVELIN_DEMOKIT_FIXTURE}/soft ${TAVELIN_DEMOKIT_FIXTURE}/keyed
            ${TAVELIN_DEMOKIT_FIXTURE}/soft-at-100
    COMMAND ${CMAKE_COMMAND} -E touch ${TAVELIN_DEMOKIT_FIXTURE}.made
    DEPENDS demokit
    COMMENT "Drawing the demo kit for the tests"
    VERBATIM)
  add_custom_target(demokit_fixture ALL DEPENDS ${TAVELIN_DEMOKIT_FIXTURE}.made)
  add_dependencies(core_tests demokit_fixture)
  target_compile_definitions(core_tests PRIVATE TAVELIN_DEMOKIT_DIR="${TAVELIN_DEMOKIT_FIXTURE}")

  # The same bytes on every build and run: the kit drawn again at 100 by the
  # drawing code built under the sanitizers (the same code draws at 200),
  # file for file against the one above.
  add_executable(demokit_checked ${CMAKE_SOURCE_DIR}/tools/demokit/main.cpp)
  target_compile_options(demokit_checked PRIVATE -Wall -Wextra ${TAVELIN_SANITIZE})
  target_link_options(demokit_checked PRIVATE ${TAVELIN_SANITIZE})
  target_link_libraries(demokit_checked PRIVATE demokit_parts)
  add_test(NAME tools.demokit_same_bytes_on_every_build
           COMMAND sh -c "rm -rf \"$2\" && \"$1\" --at-100 \"$2/keyed\" \"$2/soft-at-100\" && diff -r \"$3/keyed\" \"$2/keyed\" && diff -r \"$3/soft-at-100\" \"$2/soft-at-100\""
                   demokit_checked $<TARGET_FILE:demokit_checked> ${CMAKE_BINARY_DIR}/demokit-again
                   ${TAVELIN_DEMOKIT_FIXTURE})
endif()

# Sounds for the decoders' tests, made by sox and oggenc (Debian's sox and
# vorbis-tools): half a second of 440 Hz at amplitude 0.5, as WAV and as Vorbis.
set(TAVELIN_TEST_SOUNDS ${CMAKE_BINARY_DIR}/test-sounds)
add_custom_command(OUTPUT ${TAVELIN_TEST_SOUNDS}/tone.wav ${TAVELIN_TEST_SOUNDS}/tone.ogg
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVELIN_TEST_SOUNDS}
  COMMAND sox -q -n -r 44100 -c 1 -b 16 ${TAVELIN_TEST_SOUNDS}/tone.wav synth 0.5 sine 440 vol 0.5
  COMMAND oggenc -Q -q 6 -o ${TAVELIN_TEST_SOUNDS}/tone.ogg ${TAVELIN_TEST_SOUNDS}/tone.wav
  VERBATIM)
add_custom_target(test_sounds ALL DEPENDS ${TAVELIN_TEST_SOUNDS}/tone.wav ${TAVELIN_TEST_SOUNDS}/tone.ogg)
if(TARGET core_tests)
  add_dependencies(core_tests test_sounds)
  target_compile_definitions(core_tests PRIVATE TAVELIN_TEST_SOUNDS="${TAVELIN_TEST_SOUNDS}")
endif()
