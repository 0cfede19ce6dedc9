# `make docs` builds two references with Doxygen:
#   docs/html/           the library's, for students and teachers: the window class and its
#                        companions, a page of examples with the pictures they draw (made at build
#                        time by docs/reference/call_pictures on the headless display) and a tutorial
#   docs/platform/html/  the Win32 subset's, for contributors: win32.h and the portable implementation
# The library's reference names no internals of the subset.
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${CMAKE_BINARY_DIR}/Doxyfile @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile-platform.in ${CMAKE_BINARY_DIR}/Doxyfile-platform @ONLY)
find_program(ZG_DOXYGEN doxygen)
if(WIN32)
  return()
endif()

add_executable(call_pictures ${PROJECT_SOURCE_DIR}/docs/reference/call_pictures.cpp)
target_link_libraries(call_pictures PRIVATE zorgraphics::zorgraphics)
zg_warnings(call_pictures)

if(ZG_DOXYGEN)
  add_custom_target(docs
                    COMMAND ${PROJECT_SOURCE_DIR}/docs/reference/make_pictures.sh $<TARGET_FILE:call_pictures>
                            ${CMAKE_BINARY_DIR}/docs/pictures
                    COMMAND ${ZG_DOXYGEN} ${CMAKE_BINARY_DIR}/Doxyfile
                    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/docs/platform
                    COMMAND ${ZG_DOXYGEN} ${CMAKE_BINARY_DIR}/Doxyfile-platform
                    DEPENDS call_pictures
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    COMMENT "References in ${CMAKE_BINARY_DIR}/docs/html and ${CMAKE_BINARY_DIR}/docs/platform/html")
else()
  add_custom_target(docs COMMAND ${CMAKE_COMMAND} -E echo "doxygen is missing: run scripts/setup-deps.sh"
                    COMMAND ${CMAKE_COMMAND} -E false)
endif()
