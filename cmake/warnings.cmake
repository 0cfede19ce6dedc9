# Project-wide warnings; errors with ZG_WERROR=ON, which make test and CI pass, so CI sees what a
# developer sees.
function(zg_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion -Wnon-virtual-dtor)
  if(ZG_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Properties every installed library shares: the package version as the shared library's version
# and soname (libzorgraphics.so.1), and, for shared builds, only the names the installed headers
# declare made visible (the headers mark them; everything else stays inside the library).
function(zg_library_properties target)
  set_target_properties(${target} PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR}
    CXX_VISIBILITY_PRESET hidden
    C_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    POSITION_INDEPENDENT_CODE ${BUILD_SHARED_LIBS})
  # An installed libzorgraphics.so finds libzorgraphics_platform.so beside it, wherever the prefix is.
  if(NOT WIN32)
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN")
  endif()
endfunction()
