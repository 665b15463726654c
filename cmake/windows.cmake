# Windows targets: the program, its Win32 tests under Wine, and test fixtures.
set(QM_WIN_DEFINES WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
# WinINet and ole32 are not linked: the update check and the first browser launch load
# them when they run (platform/wininet_library.h, platform/shell_open.cpp).
set(QM_WIN_LIBS comctl32 shell32 advapi32 gdi32 user32 kernel32)
set(QM_STATIC_LINK -static -static-libgcc -static-libstdc++)

target_compile_definitions(quenmark_core PUBLIC ${QM_WIN_DEFINES})

add_library(quenmark_app STATIC ${QM_WINDOWS_SOURCES})
target_include_directories(quenmark_app PUBLIC src ${CMAKE_BINARY_DIR}/generated)
target_compile_options(quenmark_app PRIVATE ${QM_WARNINGS})
target_link_libraries(quenmark_app PUBLIC quenmark_core ${QM_WIN_LIBS})

# Artwork is drawn by a script at build time and compiled in through the .rc file.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(QM_ART_DIR ${CMAKE_BINARY_DIR}/generated)
set(QM_ART_STAMP ${QM_ART_DIR}/artwork.stamp)
add_custom_command(
  OUTPUT ${QM_ART_STAMP}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/src/resources/make_artwork.py ${QM_ART_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${QM_ART_STAMP}
  DEPENDS ${CMAKE_SOURCE_DIR}/src/resources/make_artwork.py
  COMMENT "Drawing the artwork")
add_custom_target(quenmark_artwork DEPENDS ${QM_ART_STAMP})

add_executable(quenmark WIN32 ${QM_PROGRAM_ONLY_SOURCES} src/resources/quenmark.rc)
add_dependencies(quenmark quenmark_artwork)
set_source_files_properties(src/resources/quenmark.rc PROPERTIES OBJECT_DEPENDS ${QM_ART_STAMP})
target_include_directories(quenmark PRIVATE ${QM_ART_DIR} ${CMAKE_SOURCE_DIR}/src/resources)
target_compile_options(quenmark PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${QM_WARNINGS}>")
target_link_libraries(quenmark PRIVATE quenmark_app)
# No link time in the PE header: two builds of one commit give the same bytes.
target_link_options(quenmark PRIVATE ${QM_STATIC_LINK} -s -Wl,--gc-sections -Wl,--no-insert-timestamp)
# Subsystem 6.0 (Vista and later): the i686 default of 4.0 makes Windows treat the exe
# as a legacy program and take its compatibility paths. Functions newer than Vista are
# looked up at run time (platform/system_library.h). Terminal-server aware: on a Remote
# Desktop host no compatibility layer is loaded, which would slow the start and give the
# program a per-user Windows folder and registry mapping it does not need (set.ini lives
# beside the exe, or in %APPDATA%).
target_link_options(quenmark PRIVATE -Wl,--major-subsystem-version,6 -Wl,--minor-subsystem-version,0
  -Wl,--tsaware)
# The program uses neither exceptions nor RTTI: leaving out their tables keeps the
# shipped exe small. (Tests compile with both and link the same library.) Its function
# statics are all first reached on the window thread (the browser launch and the update
# fetch threads call only the system), so they need no guard either.
foreach(t quenmark_core quenmark_app quenmark)
  target_compile_options(${t} PRIVATE
    "$<$<COMPILE_LANGUAGE:CXX>:-ffunction-sections;-fdata-sections;-fno-exceptions;-fno-rtti;-fno-asynchronous-unwind-tables;-fno-threadsafe-statics>")
endforeach()

if(BUILD_TESTING)
  include(cmake/windows_tests.cmake)
endif()
