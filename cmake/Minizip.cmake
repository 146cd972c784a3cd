# zlib comes from Debian's libz-mingw-w64-dev; minizip (unzip/zip API with the Win32
# file functions) is compiled from Debian's zlib source package, fetched into the build tree.
find_library(VELMORA_ZLIB NAMES libz.a z REQUIRED)
find_path(VELMORA_ZLIB_INCLUDE zlib.h REQUIRED)

set(deps ${CMAKE_BINARY_DIR}/deps)
file(GLOB minizip_dir LIST_DIRECTORIES true ${deps}/zlib-*/contrib/minizip)
if(NOT minizip_dir)
  execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/fetch-minizip.sh ${deps} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "Could not fetch minizip (Debian source package zlib); run scripts/setup.sh")
  endif()
  file(GLOB minizip_dir LIST_DIRECTORIES true ${deps}/zlib-*/contrib/minizip)
endif()

add_library(minizip STATIC
  ${minizip_dir}/unzip.c ${minizip_dir}/zip.c ${minizip_dir}/ioapi.c ${minizip_dir}/iowin32.c)
target_include_directories(minizip SYSTEM PUBLIC ${minizip_dir} ${VELMORA_ZLIB_INCLUDE})
target_compile_definitions(minizip PRIVATE NOCRYPT NOUNCRYPT)
# Third-party code: keep its own warnings out of our -Werror.
target_compile_options(minizip PRIVATE -w)
target_link_libraries(minizip PUBLIC ${VELMORA_ZLIB})
