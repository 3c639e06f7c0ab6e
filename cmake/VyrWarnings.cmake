# Warnings for the project's own targets (JUCE's sources are compiled without them).
function(vyr_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
