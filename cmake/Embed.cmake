# kotorina_embed(<target> <symbol> <file>)
# Compiles <file> into <target> as a byte array, reachable from C++ as
#   std::span<const std::uint8_t> <symbol>();
# declared by the caller (see resources/embedded.h).
function(kotorina_embed target symbol file)
  get_filename_component(file "${file}" ABSOLUTE)
  set(out "${CMAKE_CURRENT_BINARY_DIR}/embedded_${symbol}.cpp")
  add_custom_command(
    OUTPUT "${out}"
    COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${out} -DSYMBOL=${symbol}
            -P "${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake"
    DEPENDS "${file}" "${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake"
    COMMENT "Embedding ${file}"
    VERBATIM)
  target_sources(${target} PRIVATE "${out}")
endfunction()
