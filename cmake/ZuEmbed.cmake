# zu_embed_file(<var> <input> <symbol>): generates a source defining
# `std::string_view zu::<symbol>()` with the bytes of <input> and stores its path in <var>.
function(zu_embed_file var input symbol)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded_${symbol}.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${input} ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    COMMENT "Embedding ${input}"
    VERBATIM)
  set(${var} ${output} PARENT_SCOPE)
endfunction()
