# nuvo_embed_text(TARGET SYMBOL FILE)
# Compiles FILE into TARGET as `extern const std::string_view SYMBOL` (namespace nuvo::embedded),
# byte for byte, regenerated whenever the file changes.
function(nuvo_embed_text target symbol file)
  get_filename_component(abs "${file}" ABSOLUTE)
  set(out "${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp")
  add_custom_command(
    OUTPUT "${out}"
    COMMAND ${CMAKE_COMMAND} -DIN=${abs} -DOUT=${out} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/NuvoEmbedWrite.cmake
    DEPENDS "${abs}" ${PROJECT_SOURCE_DIR}/cmake/NuvoEmbedWrite.cmake
    COMMENT "Embedding ${file}"
    VERBATIM)
  target_sources(${target} PRIVATE "${out}")
endfunction()
