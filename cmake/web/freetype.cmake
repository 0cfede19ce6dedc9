# FreeType for the web build, compiled with emcc from the C sources the npm package
# @julusian/freetype2 carries (pinned in package.json and package-lock.json, installed by
# scripts/web-deps.sh with npm ci): Debian packages no FreeType for WebAssembly. Only the modules
# TrueType fonts need (cmake/web/ftmodule.h); gzip for compressed sfnt tables.
set(ZG_FREETYPE_DIR ${PROJECT_SOURCE_DIR}/node_modules/@julusian/freetype2/vendor/freetype)
if(NOT EXISTS ${ZG_FREETYPE_DIR}/src/base/ftbase.c)
  message(FATAL_ERROR "FreeType's sources are missing: run scripts/web-deps.sh (npm ci)")
endif()
set(zg_ft ${ZG_FREETYPE_DIR}/src)
add_library(zg_freetype STATIC
  ${zg_ft}/base/ftsystem.c ${zg_ft}/base/ftinit.c ${zg_ft}/base/ftdebug.c ${zg_ft}/base/ftbase.c
  ${zg_ft}/base/ftbbox.c ${zg_ft}/base/ftbitmap.c ${zg_ft}/base/ftglyph.c ${zg_ft}/base/ftsynth.c
  ${zg_ft}/base/ftgasp.c
  ${zg_ft}/truetype/truetype.c ${zg_ft}/sfnt/sfnt.c ${zg_ft}/autofit/autofit.c
  ${zg_ft}/psnames/psnames.c ${zg_ft}/smooth/smooth.c ${zg_ft}/raster/raster.c ${zg_ft}/gzip/ftgzip.c)
target_include_directories(zg_freetype SYSTEM PUBLIC ${ZG_FREETYPE_DIR}/include)
target_include_directories(zg_freetype PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_compile_definitions(zg_freetype PRIVATE FT2_BUILD_LIBRARY "FT_CONFIG_MODULES_H=<ftmodule.h>")
target_compile_options(zg_freetype PRIVATE -O2 -w)
