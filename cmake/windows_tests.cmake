# Win32 tests: GoogleTest exes run under Wine through the emulator, test
# fixtures (a recording browser, a hotkey host window) and end-to-end scripts.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# One folder per room of src/; the pump, editor and clipboard helpers they share sit above them.
file(GLOB_RECURSE QM_WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
add_executable(qm_win_tests ${QM_WIN_TESTS})
target_include_directories(qm_win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/win)
target_compile_options(qm_win_tests PRIVATE ${QM_WARNINGS})
target_link_libraries(qm_win_tests PRIVATE quenmark_app gtest_main)
target_link_options(qm_win_tests PRIVATE ${QM_STATIC_LINK})
gtest_discover_tests(qm_win_tests TEST_PREFIX "win."
  DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 60)

file(GLOB QM_FIXTURES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fixtures/*.cpp)
foreach(src IN LISTS QM_FIXTURES)
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} WIN32 ${src})
  target_compile_options(${name} PRIVATE ${QM_WARNINGS})
  target_link_libraries(${name} PRIVATE quenmark_app)
  target_link_options(${name} PRIVATE ${QM_STATIC_LINK})
endforeach()

# The panel's host draws the real banner and background, so it carries the program's resources.
target_sources(panel_host PRIVATE ${CMAKE_SOURCE_DIR}/src/resources/quenmark.rc)
add_dependencies(panel_host quenmark_artwork)
target_include_directories(panel_host PRIVATE ${QM_ART_DIR} ${CMAKE_SOURCE_DIR}/src/resources)

# The start-up benchmark's second baseline, the floor window: the bare window with common
# controls 6 (through the program's manifest) and a tray icon. Its third, the controls
# window: the floor window with the settings window's controls.
foreach(baseline floor_window controls_window)
  add_executable(${baseline} WIN32 ${CMAKE_SOURCE_DIR}/tests/fixtures/bare_window.cpp
    ${CMAKE_SOURCE_DIR}/src/platform/startup_trace.cpp ${CMAKE_SOURCE_DIR}/tests/fixtures/manifest_only.rc)
  target_compile_definitions(${baseline} PRIVATE QM_FLOOR_WINDOW)
  target_compile_options(${baseline} PRIVATE ${QM_WARNINGS})
  target_include_directories(${baseline} PRIVATE ${CMAKE_SOURCE_DIR}/src/resources ${CMAKE_SOURCE_DIR}/src)
  target_link_options(${baseline} PRIVATE ${QM_STATIC_LINK})
endforeach()
target_compile_definitions(controls_window PRIVATE QM_CONTROLS_WINDOW)

file(GLOB QM_E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/test_*.py)
foreach(script IN LISTS QM_E2E_TESTS)
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME e2e.${name}
    COMMAND ${Python3_EXECUTABLE} -m unittest -v ${name}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/tests/e2e)
  set_tests_properties(e2e.${name} PROPERTIES TIMEOUT 420
    ENVIRONMENT "QM_BUILD_DIR=${CMAKE_BINARY_DIR};PYTHONDONTWRITEBYTECODE=1;QM_SHIPPED_EXE=${QM_SHIPPED_EXE};QM_DIST_DIR=${QM_DIST_DIR};QM_VERSION=${PROJECT_VERSION};QM_PUBLISHER=${QM_PUBLISHER}")
endforeach()

if(QM_SHIPPED_EXE)
  add_test(NAME shipped_exe COMMAND ${CMAKE_SOURCE_DIR}/tests/harness/check_shipped_exe.sh ${QM_SHIPPED_EXE})
  # The shipped 32-bit exe itself, under an emulated 32-bit Wine: a few of the end-to-end
  # tests above, one per thing a user does first, since each start there costs several
  # native ones. wine-tests.sh runs it in a Wine world of its own.
  set(QM_SMOKE_TESTS
    test_settings_window.SettingsWindowTest.test_first_start_without_settings
    test_program_tray_update.ProgramTrayAndUpdate.test_setting_brings_back_the_minimised_window_and_exit_saves
    test_program_tray_update.ProgramTrayAndUpdate.test_newer_version_offers_the_download_page_and_own_version_asks_nothing
    test_program_search.ProgramSearch.test_direct_search_follows_the_engine_box_until_restart
    test_program_search.ProgramSearch.test_panel_search_shows_the_text_at_the_pointer_and_a_caption_searches_it
    test_settings_window.SettingsWindowTest.test_auto_start_box_writes_and_removes_the_run_value)
  add_test(NAME e2e32.smoke
    COMMAND ${Python3_EXECUTABLE} -m unittest -v ${QM_SMOKE_TESTS}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/tests/e2e)
  set_tests_properties(e2e32.smoke PROPERTIES TIMEOUT 400
    ENVIRONMENT "QM_WINE32=1;QM_BUILD_DIR=${CMAKE_BINARY_DIR};PYTHONDONTWRITEBYTECODE=1;QM_SHIPPED_EXE=${QM_SHIPPED_EXE}")
endif()
if(QM_DIST_DIR)
  # Every exe in what ships has each import slot filled, checked without running it.
  add_test(NAME shipped_imports COMMAND ${Python3_EXECUTABLE}
    ${CMAKE_SOURCE_DIR}/tests/harness/check_pe_imports.py ${QM_SHIPPED_EXE}
    ${QM_DIST_DIR}/quenmark-search-${PROJECT_VERSION}-win32.zip
    ${QM_DIST_DIR}/quenmark-search-${PROJECT_VERSION}-win32.msi)
  # A second `make dist` from scratch, in a build folder of its own, packs the same bytes.
  add_test(NAME dist_reproducible
    COMMAND ${CMAKE_SOURCE_DIR}/tests/harness/check_dist_reproducible.sh ${CMAKE_SOURCE_DIR} ${QM_DIST_DIR})
  set_tests_properties(dist_reproducible PROPERTIES TIMEOUT 300)
endif()

# A short soak of the real program: fails on a clear leak, a missed launch or a crash.
add_test(NAME bench.soak COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/bench/soak.py 50 --check)
set_tests_properties(bench.soak PROPERTIES TIMEOUT 300
  ENVIRONMENT "QM_BUILD_DIR=${CMAKE_BINARY_DIR};PYTHONDONTWRITEBYTECODE=1")
