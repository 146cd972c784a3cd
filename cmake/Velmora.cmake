# Shared build helpers.

# Windows system libraries every part may call.
set(VELMORA_SYSTEM_LIBS gdiplus gdi32 user32 kernel32 comctl32 comdlg32 shell32 shlwapi ole32 oleaut32 uuid msimg32 uxtheme psapi)

# The directory of the doctest header alone (never all of /usr/include for the cross compiler).
find_path(VELMORA_DOCTEST_DIR doctest.h PATHS /usr/include/doctest NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)

# One precompiled header for every C++ target. windows.h alone is 180,000 lines once the
# compiler's intrinsics come with it, and parsing it was three quarters of each file's
# compile time. Every target is built with the same definitions and options, so one
# header serves all (velmora_share_precompiled_header).
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/velmora_pch.cpp CONTENT "")
add_library(velmora_pch OBJECT ${CMAKE_BINARY_DIR}/velmora_pch.cpp)
target_precompile_headers(velmora_pch PRIVATE
  <windows.h> <commctrl.h> ${CMAKE_SOURCE_DIR}/graphics/GxFlat.h
  <algorithm> <array> <atomic> <cstdint> <cstdio> <cstdlib> <cstring> <functional> <memory>
  <mutex> <optional> <span> <string> <string_view> <thread> <utility> <vector>)

# Gives each C++ target under DIR the precompiled header of velmora_pch.
function(velmora_share_precompiled_header dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(sources ${target} SOURCES)
    if(NOT target STREQUAL velmora_pch AND NOT type STREQUAL "INTERFACE_LIBRARY" AND NOT type STREQUAL "UTILITY"
       AND sources MATCHES "\\.cpp(;|$)")
      target_precompile_headers(${target} REUSE_FROM velmora_pch)
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    velmora_share_precompiled_header(${subdir})
  endforeach()
endfunction()

# Test programs run through Wine, each in a sandbox of its own (scripts/wine-test.sh): the
# 64-bit ones on this machine (wine-run.sh), the 32-bit ones in the emulated i386 root
# (wine32-run.sh).
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(VELMORA_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)
else()
  set(VELMORA_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine32-run.sh)
endif()

# velmora_test(NAME [SLOW] SOURCES... LIBS libs... [ENVIRONMENT VAR=value...])
# A doctest program, registered with CTest and run under Wine. SLOW ones start first when
# programs run side by side, so that the longest does not start last.
function(velmora_test name)
  cmake_parse_arguments(T "SLOW" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${T_SOURCES} $<TARGET_OBJECTS:velmora_test_main>)
  target_include_directories(${name} SYSTEM PRIVATE ${VELMORA_DOCTEST_DIR})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${VELMORA_SYSTEM_LIBS})
  add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-test.sh ${VELMORA_WINE_RUN} ${CMAKE_BINARY_DIR}
    $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600 ENVIRONMENT "${T_ENVIRONMENT}")
  if(T_SLOW)
    set_tests_properties(${name} PROPERTIES COST 100)
  endif()
endfunction()
