# Project-wide warnings; errors in every preset so CI sees what a developer sees.
function(zg_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion -Wnon-virtual-dtor)
  if(ZG_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
