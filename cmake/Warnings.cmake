# Every target of the project builds warning-free; a warning fails the build.
function(korvantel_warnings target)
  target_compile_options(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
                              -Wnon-virtual-dtor -Werror>)
endfunction()
