# Warnings on and treated as errors for the project's own targets.
function(lcsdk_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wconversion -Wno-sign-conversion -Werror)
endfunction()
