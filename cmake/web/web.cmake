# The web build's programs: each links as NAME.js + NAME.wasm + NAME.data (the fonts), started by
# the page side of the web display (web/zorgraphics.js); scripts/web-site.sh lays them out as a
# static site. Blocking loops yield to the browser through Asyncify.
set(ZG_WEB_FONTS
  liberation/LiberationSans-Regular.ttf liberation/LiberationSans-Bold.ttf
  liberation/LiberationSans-Italic.ttf liberation/LiberationSans-BoldItalic.ttf
  liberation/LiberationSerif-Regular.ttf liberation/LiberationSerif-Bold.ttf
  liberation/LiberationSerif-Italic.ttf liberation/LiberationSerif-BoldItalic.ttf
  liberation/LiberationMono-Regular.ttf liberation/LiberationMono-Bold.ttf
  liberation/LiberationMono-Italic.ttf liberation/LiberationMono-BoldItalic.ttf)
# What the toolchain's libc++ lacks (cmake/web/include): <source_location>.
include_directories(BEFORE SYSTEM ${CMAKE_CURRENT_LIST_DIR}/include)
set(ZG_WEB_SIMD OFF CACHE BOOL "Compile for WebAssembly SIMD (-msimd128)")
if(ZG_WEB_SIMD)
  add_compile_options(-msimd128)
endif()

# Options every web executable links with; pages add the fonts and the page side.
set(ZG_WEB_LINK_OPTIONS -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sALLOW_MEMORY_GROWTH=1
    -sEXPORTED_FUNCTIONS=_main -sEXPORTED_RUNTIME_METHODS=ccall)

function(zg_web_page target)
  set(fonts)
  foreach(font ${ZG_WEB_FONTS})
    list(APPEND fonts "SHELL:--preload-file /usr/share/fonts/truetype/${font}@/usr/share/fonts/truetype/${font}")
  endforeach()
  target_link_options(${target} PRIVATE ${ZG_WEB_LINK_OPTIONS} -sENVIRONMENT=web
                      "--pre-js=${PROJECT_SOURCE_DIR}/web/zorgraphics.js" ${fonts})
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/web/zorgraphics.js)
endfunction()
