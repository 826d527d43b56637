# TAPIR_SANITIZE=address,undefined builds every target with those sanitizers.
# Any finding aborts the program, so a test that triggers one fails.
set(TAPIR_SANITIZE "" CACHE STRING
    "Comma-separated sanitizers for every target (for instance address,undefined); empty for none")

set(tapir_sanitizers "${TAPIR_SANITIZE}")
if(TAPIR_FUZZ AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # Fuzz targets are worth little without address and undefined-behaviour checks.
  if(NOT tapir_sanitizers)
    set(tapir_sanitizers address,undefined)
  endif()
  # Coverage instrumentation for every library that a fuzz target links.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(tapir_sanitizers)
  message(STATUS "Sanitizers: ${tapir_sanitizers}")
  add_compile_options(-fsanitize=${tapir_sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${tapir_sanitizers})
endif()
