# Applies ZINDRA_SANITIZE to everything built after this point.
if(ZINDRA_SANITIZE)
    add_compile_options(-fsanitize=${ZINDRA_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${ZINDRA_SANITIZE})
endif()

# Fuzz builds: everything the targets link is coverage-instrumented, so the fuzzer is guided
# into our parsers; the fuzzer's own main comes only with the targets.
if(ZINDRA_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
