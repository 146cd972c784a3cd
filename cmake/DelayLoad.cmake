# DLLs that are not KnownDLLs on Windows are delay-loaded by every program: nothing of
# them is loaded before the program has restricted the DLL search to the system directory
# (runtime::restrictDllSearch), so a copy planted beside the installer, in a downloads
# folder others can write to, is never found. A statically imported DLL would be loaded
# before any code of ours runs. The delay-import libraries are made with dlltool from the
# names the toolchain's import libraries export, and stand in for those libraries under
# their own names.
set(VELMORA_DELAY_LOADED gdiplus comctl32 msimg32 uxtheme shlwapi)

# Calls into these DLLs go to the delay-load thunk itself, not through an import pointer
# the headers would declare: the 32-bit linker drops the thunk of a function reached only
# through its import pointer and leaves that pointer null, so the first call jumps to 0.
# (These defines only take DECLSPEC_IMPORT off the headers' declarations; msimg32's
# functions are declared among gdi32's.)
add_compile_definitions(_COMCTL32_ _SHLWAPI_ _UXTHEME_ _GDI32_)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(import_prefix "__imp_")
  set(kill_at "")
else()
  # 32-bit: the symbols keep their @n, the DLL's exports do not.
  set(import_prefix "__imp__")
  set(kill_at "--kill-at")
endif()

set(delay_dir ${CMAKE_BINARY_DIR}/delayload)
file(MAKE_DIRECTORY ${delay_dir})
foreach(dll IN LISTS VELMORA_DELAY_LOADED)
  find_library(import_lib_${dll} NAMES lib${dll}.a REQUIRED)
  set(def ${delay_dir}/${dll}.def)
  set(lib ${delay_dir}/lib${dll}_delay.a)
  if(NOT EXISTS ${lib} OR import_lib_${dll} IS_NEWER_THAN ${lib})
    execute_process(COMMAND ${CMAKE_NM} -g ${import_lib_${dll}} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL " I ${import_prefix}[^\r\n]+" imports "${symbols}")
    list(TRANSFORM imports REPLACE "^ I ${import_prefix}" "")
    list(JOIN imports "\n" exports)
    file(WRITE ${def} "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
    # dlltool names the library's members and symbols after the output path: a relative
    # one keeps the build tree's location out of the programs.
    execute_process(COMMAND ${CMAKE_DLLTOOL} ${kill_at} --input-def ${dll}.def --dllname ${dll}.dll
                            --output-delaylib lib${dll}_delay.a
                    WORKING_DIRECTORY ${delay_dir} COMMAND_ERROR_IS_FATAL ANY)
  endif()
  # Every target_link_libraries(... ${dll}) names this target, not the plain import library.
  add_library(${dll} STATIC IMPORTED GLOBAL)
  set_target_properties(${dll} PROPERTIES IMPORTED_LOCATION ${lib})
endforeach()
