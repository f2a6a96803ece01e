# Windows tree: Tavelin.exe, its Win32 tests and the benchmarks. Tests and
# benchmarks run through the Wine launcher that cmake/wine-run.sh.in becomes.
enable_language(RC)

add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
if(MSVC)
  add_compile_options(/W4 /utf-8)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  # The manifest is our own resource (res/identity.rc); the linker's would clash with it.
  add_link_options(/MANIFEST:NO)
else()
  add_compile_options(-Wall -Wextra)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# windowscodecs and ole32: the imaging component that decodes the pictures;
# uuid: its class and interface identifiers where the first does not hold them.
set(TAVELIN_SYSTEM_LIBS windowscodecs ole32 uuid comctl32 comdlg32 winmm shell32 advapi32 gdi32 user32 kernel32)
# dwmapi: whether a window is cloaked (another virtual desktop), for the full-screen rule.
list(APPEND TAVELIN_SYSTEM_LIBS dwmapi)
# wtsapi32: the session's lock and unlock, which pause the living figure.
list(APPEND TAVELIN_SYSTEM_LIBS wtsapi32)
# mfuuid: the identifiers of Media Foundation, which decodes the system's sound formats.
list(APPEND TAVELIN_SYSTEM_LIBS mfuuid)

# The program's identity: the version of project() and the copyright line of
# LICENSE, for the version resource and the manifest.
set(TAVELIN_GENERATED ${CMAKE_BINARY_DIR}/generated)
file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE TAVELIN_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
foreach(part MINOR PATCH TWEAK)
  set(TAVELIN_VERSION_${part} ${PROJECT_VERSION_${part}})
  if("${TAVELIN_VERSION_${part}}" STREQUAL "")
    set(TAVELIN_VERSION_${part} 0)
  endif()
endforeach()
set(TAVELIN_VERSION_QUAD
    "${PROJECT_VERSION_MAJOR}.${TAVELIN_VERSION_MINOR}.${TAVELIN_VERSION_PATCH}.${TAVELIN_VERSION_TWEAK}")
configure_file(${CMAKE_SOURCE_DIR}/res/tavelin_version.h.in ${TAVELIN_GENERATED}/tavelin_version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/res/Tavelin.manifest.in ${TAVELIN_GENERATED}/Tavelin.manifest @ONLY)

# The resources go into every executable that runs the program's code: tests
# need the same menu, dialogs and icon as the program, and run with the same
# manifest (themed common controls).
add_library(tavelin_res OBJECT ${CMAKE_SOURCE_DIR}/res/Tavelin.rc ${CMAKE_SOURCE_DIR}/res/identity.rc)
target_include_directories(tavelin_res PRIVATE ${CMAKE_SOURCE_DIR}/res ${TAVELIN_GENERATED})
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/identity.rc PROPERTIES
  OBJECT_DEPENDS "${TAVELIN_GENERATED}/tavelin_version.h;${TAVELIN_GENERATED}/Tavelin.manifest")
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/Tavelin.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/resource.h;${CMAKE_SOURCE_DIR}/res/tray.ico")
if(CMAKE_RC_COMPILER MATCHES "windres")
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
endif()

add_library(tavelin_app STATIC ${TAVELIN_CORE_SOURCES} ${TAVELIN_WIN32_SOURCES})
target_include_directories(tavelin_app PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/res)
target_link_libraries(tavelin_app PUBLIC ${TAVELIN_SYSTEM_LIBS})
# Windows' headers are compiled once for the files that use them; the
# portable rules go without them, as in the native tree.
if(NOT MSVC)
  target_precompile_headers(tavelin_app PRIVATE <windows.h> <string> <vector>)
  set_source_files_properties(${TAVELIN_CORE_SOURCES} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
endif()

add_executable(Tavelin WIN32 ${CMAKE_SOURCE_DIR}/src/app/main_win32.cpp
               $<TARGET_OBJECTS:tavelin_res>)
target_link_libraries(Tavelin PRIVATE tavelin_app)

# Kit checker: kitcheck.exe, a console program telling character authors what
# the clock makes of their kit. Its logic is a library the tests link too.
file(GLOB TAVELIN_KITCHECK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/kitcheck/*.cpp)
set(TAVELIN_KITCHECK_PARTS ${TAVELIN_KITCHECK_SOURCES})
list(FILTER TAVELIN_KITCHECK_PARTS EXCLUDE REGEX "/main_win32\\.cpp$")
add_library(tavelin_kitcheck STATIC ${TAVELIN_KITCHECK_PARTS})
target_include_directories(tavelin_kitcheck PUBLIC ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(tavelin_kitcheck PUBLIC tavelin_app)
add_executable(kitcheck ${CMAKE_SOURCE_DIR}/tools/kitcheck/main_win32.cpp)
target_link_libraries(kitcheck PRIVATE tavelin_kitcheck)

# The tests need GoogleTest's sources (Debian's googletest package when cross
# building); without them only the program is built.
set(GTEST_SRC /usr/src/googletest CACHE PATH "GoogleTest source tree")
if(NOT EXISTS ${GTEST_SRC}/CMakeLists.txt)
  message(STATUS "GoogleTest sources not found at ${GTEST_SRC}: building Tavelin.exe only")
  return()
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SRC} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The tests' own code (GoogleTest, the helpers, the test files) is compiled
# lightly: without debugging information and with little optimisation, which
# halves its build. The program's code they test is built as it ships.
if(MSVC)
  set(TAVELIN_TEST_CODE_FLAGS)
else()
  set(TAVELIN_TEST_CODE_FLAGS -O1 -g0)
endif()
target_compile_options(gtest PRIVATE ${TAVELIN_TEST_CODE_FLAGS})
target_compile_options(gtest_main PRIVATE ${TAVELIN_TEST_CODE_FLAGS})

# Cross-built tests run under Wine; on Windows they run as they are.
if(CMAKE_HOST_WIN32)
  set(TAVELIN_WINE_RUN "")
else()
  configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE @ONLY)
  set(TAVELIN_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run.sh)
endif()

# The Wine prefix the tests' prefixes start from, made while the rest builds.
if(TAVELIN_WINE_RUN)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/wineprefix-base/.made
    COMMAND ${TAVELIN_WINE_RUN} --base-prefix
    COMMENT "Making the Wine prefix for the tests")
  add_custom_target(wine_prefix ALL DEPENDS ${CMAKE_BINARY_DIR}/wineprefix-base/.made)
endif()

# Shared helpers of the Win32 tests (a temporary program folder, message pumps).
file(GLOB TAVELIN_WIN32_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/support/*.cpp)
add_library(tavelin_test_support STATIC ${TAVELIN_WIN32_TEST_SUPPORT})
target_include_directories(tavelin_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/win32)
target_link_libraries(tavelin_test_support PUBLIC tavelin_app GTest::gtest)
target_compile_options(tavelin_test_support PRIVATE ${TAVELIN_TEST_CODE_FLAGS})
# GoogleTest's and Windows' headers take half of each test file's compile
# time: they are compiled once here and reused by every test.
if(NOT MSVC)
  target_precompile_headers(tavelin_test_support PRIVATE <windows.h> <gtest/gtest.h> <string> <vector>)
endif()

# One executable per test file. Two tests never share a Wine prefix at the
# same time, since the window class and the mutex are shared by the whole
# prefix: most take whichever of TAVELIN_WINE_LANES prefixes is free (the
# launcher locks it for the run); those that need a prefix set up their own
# way hold it by RESOURCE_LOCK.
set(TAVELIN_WINE_LANES 3 CACHE STRING "Wine prefixes the Win32 tests share out")
set(TAVELIN_POOL_ENV "TAVELIN_WINE_POOL=${TAVELIN_WINE_LANES}")
# The programs named in TAVELIN_ENGLISH_TESTS run a second time under the
# English locale (code page 1252, English user interface) as win32.NAME.english;
# every program runs under the Japanese locale (code page 932).
set(TAVELIN_ENGLISH_TESTS
  test_balloon
  test_desktop
  test_dialog
  test_events
  test_folders
  test_language
)
# The demo kit as `make kit` writes it: TAVELIN_KIT the keyed BMP form, whose
# figures the tests check pixel for pixel, TAVELIN_SOFT_KIT the PNG form the
# clock ships with.
set(TAVELIN_KIT_ENV "TAVELIN_KIT=${CMAKE_BINARY_DIR}/kit-keyed;TAVELIN_SOFT_KIT=${CMAKE_BINARY_DIR}/kit")
# Sounds the clock is heard playing, made by sox, lame and oggenc: a second and
# a half at amplitude 0.5, each format at a pitch of its own so that the
# recording tells which one played.
set(TAVELIN_HEARD_SOUNDS ${CMAKE_BINARY_DIR}/heard-sounds)
add_custom_command(OUTPUT ${TAVELIN_HEARD_SOUNDS}/chime.wav ${TAVELIN_HEARD_SOUNDS}/alarm.mp3
                          ${TAVELIN_HEARD_SOUNDS}/timer.ogg
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVELIN_HEARD_SOUNDS}
  COMMAND sox -q -n -r 44100 -c 1 -b 16 ${TAVELIN_HEARD_SOUNDS}/chime.wav synth 1.5 sine 440 vol 0.5
  COMMAND sox -q -n -r 44100 -c 1 -b 16 ${TAVELIN_HEARD_SOUNDS}/alarm.wav synth 1.5 sine 550 vol 0.5
  COMMAND lame --quiet -b 192 ${TAVELIN_HEARD_SOUNDS}/alarm.wav ${TAVELIN_HEARD_SOUNDS}/alarm.mp3
  COMMAND sox -q -n -r 44100 -c 1 -b 16 ${TAVELIN_HEARD_SOUNDS}/timer.wav synth 1.5 sine 660 vol 0.5
  COMMAND oggenc -Q -q 6 -o ${TAVELIN_HEARD_SOUNDS}/timer.ogg ${TAVELIN_HEARD_SOUNDS}/timer.wav
  VERBATIM)
add_custom_target(heard_sounds DEPENDS ${TAVELIN_HEARD_SOUNDS}/chime.wav ${TAVELIN_HEARD_SOUNDS}/alarm.mp3
                                       ${TAVELIN_HEARD_SOUNDS}/timer.ogg)
file(GLOB TAVELIN_WIN32_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/test_*.cpp)
foreach(test_source ${TAVELIN_WIN32_TESTS})
  get_filename_component(test_name ${test_source} NAME_WE)
  add_executable(${test_name} ${test_source} $<TARGET_OBJECTS:tavelin_res>)
  target_link_libraries(${test_name} PRIVATE tavelin_test_support GTest::gtest_main)
  target_compile_options(${test_name} PRIVATE ${TAVELIN_TEST_CODE_FLAGS})
  if(NOT MSVC)
    target_precompile_headers(${test_name} REUSE_FROM tavelin_test_support)
  endif()
  add_dependencies(${test_name} Tavelin)
  set(test_env "TAVELIN_EXE=$<TARGET_FILE:Tavelin>;${TAVELIN_KIT_ENV}")
  # Soft pixels are looked at with a compositing manager on the test's display.
  if(test_name STREQUAL "test_soft_figure" OR test_name STREQUAL "test_life_e2e")
    set(test_env "${test_env};TAVELIN_COMPOSITOR=1")
  endif()
  # The real click through a transparent pixel runs in a process of its own
  # (below): after it, Wine's X11 driver now and then restacks the next
  # test's figure above the window it was just lowered beneath, with no
  # message to either window, when several Wine tests run at once.
  if(test_name STREQUAL "test_soft_figure")
    set(test_env "${test_env};GTEST_FILTER=-SoftUncomposited.*:SoftFigureTest.ATransparentPixel*")
  endif()
  if(test_name STREQUAL "test_balloon_e2e")
    set(test_env "${test_env};TAVELIN_COMPOSITOR=1")
  endif()
  add_test(NAME win32.${test_name} COMMAND ${TAVELIN_WINE_RUN} $<TARGET_FILE:${test_name}>)
  # What the clock plays is recorded from a sound server of the test's own,
  # which wants a Wine server of its own too. It spends most of its run
  # waiting for the minute to turn: started first, the others run meanwhile.
  if(test_name STREQUAL "test_sound_e2e")
    set(test_env "${test_env};TAVELIN_SOUND=1;TAVELIN_HEARD_SOUNDS=${TAVELIN_HEARD_SOUNDS}")
    set(test_env "${test_env};TAVELIN_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-sound")
    add_dependencies(${test_name} heard_sounds)
    set_tests_properties(win32.${test_name} PROPERTIES RESOURCE_LOCK wineprefix-sound COST 1000)
  else()
    set(test_env "${test_env};${TAVELIN_POOL_ENV}")
  endif()
  set_tests_properties(win32.${test_name} PROPERTIES TIMEOUT 600 ENVIRONMENT "${test_env}")
  if(test_name IN_LIST TAVELIN_ENGLISH_TESTS)
    add_test(NAME win32.${test_name}.english COMMAND ${TAVELIN_WINE_RUN} $<TARGET_FILE:${test_name}>)
    set_tests_properties(win32.${test_name}.english PROPERTIES TIMEOUT 600
      ENVIRONMENT "${test_env};TAVELIN_LOCALE=en_US.UTF-8")
  endif()
endforeach()

# The settings of a program in a folder its user cannot write: as an
# unprivileged user with a Wine prefix of that user's own.
if(TAVELIN_WINE_RUN AND TARGET test_settings_place)
  add_test(NAME win32.test_settings_place.locked
    COMMAND ${CMAKE_SOURCE_DIR}/tests/win32/run_locked.sh ${TAVELIN_WINE_RUN} $<TARGET_FILE:Tavelin>
            ${CMAKE_BINARY_DIR}/kit $<TARGET_FILE:test_settings_place>
            --gtest_filter=LockedFolderTest.*)
  set_tests_properties(win32.test_settings_place.locked PROPERTIES RESOURCE_LOCK wineprefix-locked TIMEOUT 900
    SKIP_RETURN_CODE 77)
endif()

# Under German, a language without texts of its own, the system falls back to
# the English ones: the language test runs once more to see it.
if(TAVELIN_WINE_RUN AND TARGET test_language)
  add_test(NAME win32.test_language.german COMMAND ${TAVELIN_WINE_RUN} $<TARGET_FILE:test_language>)
  set_tests_properties(win32.test_language.german PROPERTIES TIMEOUT 600
    ENVIRONMENT "TAVELIN_LOCALE=de_DE.UTF-8;${TAVELIN_POOL_ENV}")
endif()

if(TAVELIN_WINE_RUN AND TARGET test_soft_figure)
  # The real click through a transparent pixel, in a process of its own.
  add_test(NAME win32.test_soft_figure.click COMMAND ${TAVELIN_WINE_RUN} $<TARGET_FILE:test_soft_figure>
           --gtest_filter=SoftFigureTest.ATransparentPixel*)
  set_tests_properties(win32.test_soft_figure.click PROPERTIES TIMEOUT 600
    ENVIRONMENT "TAVELIN_EXE=$<TARGET_FILE:Tavelin>;${TAVELIN_KIT_ENV};TAVELIN_COMPOSITOR=1;${TAVELIN_POOL_ENV}")
  # A soft figure on a display without a compositing manager: Wine cuts the
  # shape from alpha itself, and the pointer still passes transparent pixels.
  add_test(NAME win32.test_soft_figure.plain COMMAND ${TAVELIN_WINE_RUN} $<TARGET_FILE:test_soft_figure>
           --gtest_filter=SoftUncomposited.*:SoftFigureTest.ATransparent*)
  set_tests_properties(win32.test_soft_figure.plain PROPERTIES TIMEOUT 600
    ENVIRONMENT "TAVELIN_EXE=$<TARGET_FILE:Tavelin>;${TAVELIN_POOL_ENV}")
endif()

# The figure and the tray icon on screens scaled to 150 and 200 percent:
# Wine's LogPixels, set when the launcher makes a prefix of each DPI's own.
foreach(dpi 144 192)
  foreach(test_name test_dpi test_tray_icon test_dialog test_balloon)
    if(TAVELIN_WINE_RUN AND TARGET ${test_name})
      add_test(NAME win32.${test_name}.${dpi} COMMAND ${TAVELIN_WINE_RUN} $<TARGET_FILE:${test_name}>)
      set_tests_properties(win32.${test_name}.${dpi} PROPERTIES RESOURCE_LOCK wineprefix-dpi${dpi} TIMEOUT 600
        ENVIRONMENT "TAVELIN_EXE=$<TARGET_FILE:Tavelin>;${TAVELIN_KIT_ENV};TAVELIN_LOGPIXELS=${dpi};TAVELIN_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-dpi${dpi}")
    endif()
  endforeach()
endforeach()

# The kit checker's tests run its logic in process.
if(TARGET test_kitcheck)
  target_link_libraries(test_kitcheck PRIVATE tavelin_kitcheck)
endif()

# The identity test reads the version and the copyright line it expects from
# CMakeLists.txt and LICENSE themselves.
if(TARGET test_identity)
  target_compile_definitions(test_identity PRIVATE TAVELIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_link_libraries(test_identity PRIVATE version)
endif()

# Benchmarks: built with the tree, run by `make bench`, never by the tests.
file(GLOB TAVELIN_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/bench_*.cpp)
set(TAVELIN_BENCH_TARGETS)
foreach(bench_source ${TAVELIN_BENCH_SOURCES})
  get_filename_component(bench_name ${bench_source} NAME_WE)
  add_executable(${bench_name} ${bench_source} $<TARGET_OBJECTS:tavelin_res>)
  target_include_directories(${bench_name} PRIVATE ${CMAKE_SOURCE_DIR}/bench ${CMAKE_SOURCE_DIR}/tests/win32)
  target_link_libraries(${bench_name} PRIVATE tavelin_test_support)
  target_compile_options(${bench_name} PRIVATE -O2 -g0)
  list(APPEND TAVELIN_BENCH_TARGETS ${bench_name})
endforeach()
