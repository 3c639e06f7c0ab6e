# The fuzzing configuration (VYR_FUZZ, built by scripts/fuzz into build-fuzz/):
# clang with AddressSanitizer and UndefinedBehaviorSanitizer on every object,
# JUCE's and the artwork generator's too, and libFuzzer's coverage instrumentation
# on all of them. The plug-in libraries are not built here: they link with
# --no-undefined, which the sanitizer runtimes of a shared library do not satisfy,
# so the fuzz targets link the static libraries they exercise instead.
#
# vyr_add_fuzz_target(<name> SOURCES a.cpp... LIBRARIES lib...
#                     CORPUS dir [REPLAY dir] [DICTIONARY file])
# Builds one libFuzzer program and lists it in <build>/fuzz-targets.txt, one line
# per target: name|program|corpus|replay folder|dictionary. scripts/fuzz fuzzes
# from the corpus; the replay folder (reproducers too large or too slow to seed
# the fuzzing with) is only run, with the corpus, by `scripts/fuzz --replay`.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "VYR_FUZZ needs clang and libFuzzer: configure with scripts/fuzz")
endif()

add_compile_options(-fsanitize=address,undefined -fsanitize=fuzzer-no-link
  -fno-omit-frame-pointer -g)
add_link_options(-fsanitize=address,undefined)

set(VYR_FUZZ_MANIFEST "${CMAKE_BINARY_DIR}/fuzz-targets.txt")
set_property(GLOBAL PROPERTY VYR_FUZZ_TARGETS "")

function(vyr_add_fuzz_target name)
  cmake_parse_arguments(ARG "" "CORPUS;REPLAY;DICTIONARY" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT ARG_SOURCES OR NOT ARG_CORPUS)
    message(FATAL_ERROR "vyr_add_fuzz_target(${name}): SOURCES and CORPUS are required")
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  vyr_warnings(${name})

  set_property(GLOBAL APPEND PROPERTY VYR_FUZZ_TARGETS
    "${name}|${CMAKE_CURRENT_BINARY_DIR}/${name}|${ARG_CORPUS}|${ARG_REPLAY}|${ARG_DICTIONARY}")
endfunction()

# Called once every directory has added its targets.
function(vyr_write_fuzz_manifest)
  get_property(lines GLOBAL PROPERTY VYR_FUZZ_TARGETS)
  list(JOIN lines "\n" text)
  file(CONFIGURE OUTPUT "${VYR_FUZZ_MANIFEST}" CONTENT "${text}\n")
endfunction()
