# The reference: Doxygen over the installed headers, HTML into <build>/docs/html (`make docs`).
find_program(ZG_DOXYGEN doxygen)
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${CMAKE_BINARY_DIR}/Doxyfile @ONLY)
if(ZG_DOXYGEN)
  add_custom_target(docs COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/docs
                    COMMAND ${ZG_DOXYGEN} ${CMAKE_BINARY_DIR}/Doxyfile
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    COMMENT "Reference in ${CMAKE_BINARY_DIR}/docs/html/index.html")
else()
  add_custom_target(docs COMMAND ${CMAKE_COMMAND} -E echo "doxygen is missing: run scripts/setup-deps.sh"
                    COMMAND ${CMAKE_COMMAND} -E false)
endif()
