# zlib comes from Debian's libz-mingw-w64-dev. minizip (unzip/zip API with the Win32 file
# functions) and libdeflate (CRC-32 for the extraction, whole-buffer inflate for the install
# benchmark's floor) are compiled from Debian's source packages zlib and libdeflate,
# fetched into the build tree.
find_library(VELMORA_ZLIB NAMES libz.a z REQUIRED)
find_path(VELMORA_ZLIB_INCLUDE zlib.h REQUIRED)

# The unpacked upstream folder of a Debian source package (deps/PACKAGE-VERSION).
function(velmora_debian_source package out)
  set(deps ${CMAKE_BINARY_DIR}/deps)
  file(GLOB found LIST_DIRECTORIES true ${deps}/${package}-*)
  list(FILTER found EXCLUDE REGEX "\\.(tar\\..*|dsc)$")
  if(NOT found)
    execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/fetch-source.sh ${deps} ${package} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "Could not fetch Debian's source package ${package}; run scripts/setup.sh")
    endif()
    file(GLOB found LIST_DIRECTORIES true ${deps}/${package}-*)
    list(FILTER found EXCLUDE REGEX "\\.(tar\\..*|dsc)$")
  endif()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

velmora_debian_source(zlib zlib_dir)
set(minizip_dir ${zlib_dir}/contrib/minizip)
add_library(minizip STATIC
  ${minizip_dir}/unzip.c ${minizip_dir}/zip.c ${minizip_dir}/ioapi.c ${minizip_dir}/iowin32.c)
target_include_directories(minizip SYSTEM PUBLIC ${minizip_dir} ${VELMORA_ZLIB_INCLUDE})
target_compile_definitions(minizip PRIVATE NOCRYPT NOUNCRYPT)
# Third-party code: keep its own warnings out of our -Werror.
target_compile_options(minizip PRIVATE -w)
target_link_libraries(minizip PUBLIC ${VELMORA_ZLIB})

# Only the decompressor and the CRC-32, with the x86 feature detection they dispatch on.
velmora_debian_source(libdeflate libdeflate_dir)
add_library(libdeflate STATIC
  ${libdeflate_dir}/lib/deflate_decompress.c ${libdeflate_dir}/lib/crc32.c ${libdeflate_dir}/lib/utils.c
  ${libdeflate_dir}/lib/x86/cpu_features.c)
target_include_directories(libdeflate SYSTEM PUBLIC ${libdeflate_dir})
target_compile_options(libdeflate PRIVATE -w -O2)
