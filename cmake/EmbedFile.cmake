# Embedding a file's bytes in the program: the build turns the file into a C++
# source that defines `const unsigned char SYMBOL[]` and `SYMBOL_SIZE`... as
# the header named below declares them. The bytes live only in the file; the
# source is made anew in the build folder whenever the file changes.
#
#   ondrava_embed_file(TARGET target SYMBOL kName INPUT file HEADER "dir/x.h")
#
# The same script, run with cmake -P and -DINPUT, -DOUTPUT, -DSYMBOL, -DHEADER,
# writes the source.

if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${INPUT}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  # Sixteen bytes a line, then every byte as 0xNN.
  string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f])"
         "\\1\n" hex "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  file(WRITE "${OUTPUT}.tmp"
    "// Made by the build from ${INPUT}; do not edit.\n"
    "#include \"${HEADER}\"\n\n"
    "extern const unsigned char ${SYMBOL}[] = {\n${bytes}\n};\n"
    "extern const std::size_t ${SYMBOL}Size = ${size};\n")
  file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
  return()
endif()

set(ONDRAVA_EMBED_SCRIPT "${CMAKE_CURRENT_LIST_FILE}")

function(ondrava_embed_file)
  cmake_parse_arguments(EMBED "" "TARGET;SYMBOL;INPUT;HEADER" "" ${ARGN})
  get_filename_component(name "${EMBED_INPUT}" NAME_WE)
  set(output "${CMAKE_CURRENT_BINARY_DIR}/embedded/${name}_data.cpp")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -DINPUT=${EMBED_INPUT} -DOUTPUT=${output}
            -DSYMBOL=${EMBED_SYMBOL} -DHEADER=${EMBED_HEADER}
            -P ${ONDRAVA_EMBED_SCRIPT}
    DEPENDS "${EMBED_INPUT}" "${ONDRAVA_EMBED_SCRIPT}"
    COMMENT "Embedding ${name}"
    VERBATIM)
  target_sources(${EMBED_TARGET} PRIVATE "${output}")
endfunction()
