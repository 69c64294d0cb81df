# Turns asset files into a C++ source holding them as byte arrays, plus a name table,
# so the program carries its layouts, pictures, cursor and fallback font inside itself.
set(ZINDRA_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedScript.cmake)

# zindra_embed(OUTPUT out.cpp NAMES n1 n2 ... FILES f1 f2 ...): NAMES[i] is how FILES[i] is looked up.
function(zindra_embed)
    cmake_parse_arguments(ARG "" "OUTPUT" "NAMES;FILES" ${ARGN})
    string(REPLACE ";" "|" names "${ARG_NAMES}")
    string(REPLACE ";" "|" files "${ARG_FILES}")
    add_custom_command(
        OUTPUT ${ARG_OUTPUT}
        COMMAND ${CMAKE_COMMAND} "-DOUTPUT=${ARG_OUTPUT}" "-DNAMES=${names}" "-DFILES=${files}"
                -P ${ZINDRA_EMBED_SCRIPT}
        DEPENDS ${ARG_FILES} ${ZINDRA_EMBED_SCRIPT}
        COMMENT "Embedding ${ARG_OUTPUT}"
        VERBATIM)
endfunction()
