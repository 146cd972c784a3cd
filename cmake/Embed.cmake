# velmora_embed(TARGET SYMBOL FILE): links FILE into TARGET as the ByteSet constant SYMBOL
# (8-byte header, then the file's bytes) through the assembler's .incbin, so no giant
# generated C array is compiled.
function(velmora_embed target symbol file)
  set(src ${CMAKE_CURRENT_BINARY_DIR}/embed/${symbol}.S)
  file(WRITE ${src}.in "\
#if defined(__i386__)\n#define SYM(x) _##x\n#else\n#define SYM(x) x\n#endif\n\
    .section .rdata,\"dr\"\n    .balign 4\n    .globl SYM(${symbol})\nSYM(${symbol}):\n\
    .long 1\n    .long 2f - 1f\n1:  .incbin \"${file}\"\n2:\n")
  configure_file(${src}.in ${src} COPYONLY)
  set_source_files_properties(${src} PROPERTIES LANGUAGE ASM OBJECT_DEPENDS ${file})
  target_sources(${target} PRIVATE ${src})
endfunction()
