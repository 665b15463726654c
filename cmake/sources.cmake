# Which files make the platform-independent core, found rather than listed: every
# .cpp under src/ that needs no Windows header, neither itself nor through what it
# uses from src/ (the headers it includes and the .cpp files that implement them,
# and so on). The core also compiles natively and is unit-tested
# there with sanitizers, so a pure file cannot be left out of those tests by
# forgetting to list it. (A Windows header missing from the pattern below puts its
# file into the core, where the native build fails on it: loud, not silent.)
# Every other .cpp is Windows-only: the program's library, and the two files that
# only the exe itself links.
set(QM_WINDOWS_HEADER "^(windows|windowsx|wininet|winuser|winbase|shellapi|shlobj|shlwapi|objbase|ole2|commctrl|commdlg|tlhelp32|psapi|uxtheme|dwmapi)\\.h$")
set(QM_PROGRAM_ONLY_SOURCES src/main.cpp src/abort_on_library_error.cpp)

# The rooms stand on floors and include only their own room and the floors below
# (rooms on one floor never include each other), bottom up:
#   platform/ - support/ - search/ - settings/ - hotkey/, search_panel/, tray/ -
#   capture/, update/, auto_start/ - single_instance/ - settings_window/ - main.cpp
# Checked here, so a file that reaches up or across fails to configure.
set(QM_FLOOR_0 "platform")
set(QM_FLOOR_1 "${QM_FLOOR_0}|support")
set(QM_FLOOR_2 "${QM_FLOOR_1}|search")
set(QM_FLOOR_3 "${QM_FLOOR_2}|settings")
set(QM_FLOOR_4 "${QM_FLOOR_3}|hotkey|search_panel|tray|resources")
set(QM_FLOOR_5 "${QM_FLOOR_4}|capture|update|auto_start")
set(QM_LAYER_platform "${QM_FLOOR_0}")
set(QM_LAYER_support "${QM_FLOOR_1}")
set(QM_LAYER_search "${QM_FLOOR_2}")
set(QM_LAYER_settings "${QM_FLOOR_3}")
set(QM_LAYER_hotkey "${QM_FLOOR_3}|hotkey")
set(QM_LAYER_search_panel "${QM_FLOOR_3}|search_panel|resources")
set(QM_LAYER_tray "${QM_FLOOR_3}|tray")
set(QM_LAYER_capture "${QM_FLOOR_4}|capture")
set(QM_LAYER_update "${QM_FLOOR_4}|update")
set(QM_LAYER_auto_start "${QM_FLOOR_4}|auto_start")
set(QM_LAYER_single_instance "${QM_FLOOR_5}|single_instance")
set(QM_LAYER_settings_window "${QM_FLOOR_5}|single_instance|settings_window")

# Sets out to TRUE when the file under src/ (path relative to src/) includes a
# Windows header, directly or through what it uses from src/.
function(qm_needs_windows rel out)
  get_property(known GLOBAL PROPERTY "QM_NEEDS_WINDOWS_${rel}" SET)
  if(known)
    get_property(answer GLOBAL PROPERTY "QM_NEEDS_WINDOWS_${rel}")
    set(${out} ${answer} PARENT_SCOPE)
    return()
  endif()
  # Provisional answer while this file is being read: include cycles end here.
  set_property(GLOBAL PROPERTY "QM_NEEDS_WINDOWS_${rel}" FALSE)
  set(answer FALSE)
  string(REGEX MATCH "^[^/]+" folder "${rel}")
  file(STRINGS ${CMAKE_SOURCE_DIR}/src/${rel} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(line MATCHES "<([^>]+)>")
      if(CMAKE_MATCH_1 MATCHES "${QM_WINDOWS_HEADER}")
        set(answer TRUE)
      endif()
    elseif(line MATCHES "\"([^\"]+)\"")
      set(included ${CMAKE_MATCH_1})
      if(DEFINED QM_LAYER_${folder} AND NOT included MATCHES "^(${QM_LAYER_${folder}})/")
        message(FATAL_ERROR "src/${rel} includes \"${included}\": files in src/${folder}/ "
                            "may include only ${QM_LAYER_${folder}}/ (the layers point down)")
      endif()
      # A header stands for its module: what implements it counts too.
      string(REGEX REPLACE "\\.h$" ".cpp" implementation "${included}")
      foreach(used IN ITEMS ${included} ${implementation})
        if(EXISTS ${CMAKE_SOURCE_DIR}/src/${used})
          qm_needs_windows(${used} nested)
          if(nested)
            set(answer TRUE)
          endif()
        endif()
      endforeach()
    endif()
  endforeach()
  set_property(GLOBAL PROPERTY "QM_NEEDS_WINDOWS_${rel}" ${answer})
  set(${out} ${answer} PARENT_SCOPE)
endfunction()

# Run as a script (cmake -P, from the top of a tree), it checks that tree's layers only.
if(NOT CMAKE_SCRIPT_MODE_FILE)
  set(QM_RESCAN CONFIGURE_DEPENDS)
endif()
file(GLOB_RECURSE QM_ALL_SOURCES ${QM_RESCAN} RELATIVE ${CMAKE_SOURCE_DIR}/src
  ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h)
set(QM_CORE_SOURCES)
set(QM_WINDOWS_SOURCES)
foreach(rel IN LISTS QM_ALL_SOURCES)
  qm_needs_windows(${rel} needs_windows)
  if(NOT rel MATCHES "\\.cpp$" OR "src/${rel}" IN_LIST QM_PROGRAM_ONLY_SOURCES)
    continue() # headers are read for their includes and the layer check only
  elseif(needs_windows)
    list(APPEND QM_WINDOWS_SOURCES src/${rel})
  else()
    list(APPEND QM_CORE_SOURCES src/${rel})
  endif()
endforeach()
