# The installed package: headers, libraries, a CMake package (lib/cmake/zorgraphics), a pkg-config
# file, and CPack archives of the same tree (.tar.gz here, .zip for Windows). The programs have a
# package of their own (cmake/programs.cmake).
#
# Only the libraries are installed; `cmake --install` does not build everything first, so a package
# needs only the two library targets built (the Makefile's install and package targets do that).
include(CMakePackageConfigHelpers)
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(zg_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/zorgraphics)
set_target_properties(zorgraphics PROPERTIES EXPORT_NAME zorgraphics)
set_target_properties(zorgraphics_platform PROPERTIES EXPORT_NAME platform)

install(TARGETS zorgraphics zorgraphics_platform EXPORT zorgraphicsTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} NAMELINK_COMPONENT Development
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The public headers and nothing else: library_internal.h and the object-count hooks of the
# tests stay behind.
install(FILES graphics/window.h graphics/image.h graphics/input_queues.h graphics/palette.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/graphics)
install(FILES platform/include/platform/win32.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/platform)
install(FILES CHANGELOG.md docs/getting-started.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

install(EXPORT zorgraphicsTargets NAMESPACE zorgraphics:: DESTINATION ${zg_cmake_dir})
configure_package_config_file(cmake/zorgraphicsConfig.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/zorgraphicsConfig.cmake
                              INSTALL_DESTINATION ${zg_cmake_dir})
# 1.x programs build against any later 1.y; 2.0 may break them.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/zorgraphicsConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zorgraphicsConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/zorgraphicsConfigVersion.cmake
        DESTINATION ${zg_cmake_dir})

# pkg-config. A static library's users link its dependencies too, so they are public
# requirements then; a shared library carries them itself.
if(WIN32)
  set(ZG_PC_REQUIRES "")
  set(ZG_PC_SYSTEM_LIBS "-luser32 -lgdi32 -lcomdlg32")
else()
  set(ZG_PC_REQUIRES "sdl2 x11 freetype2 fontconfig libpng cairo")
  set(ZG_PC_SYSTEM_LIBS "-lcups -pthread")
endif()
if(BUILD_SHARED_LIBS)
  set(ZG_PC_REQUIRES_FIELD "Requires.private")
else()
  set(ZG_PC_REQUIRES_FIELD "Requires")
endif()
# The prefix is found from the file's own place, so an unpacked archive works wherever it lands.
file(RELATIVE_PATH ZG_PC_PREFIX_FROM_PCDIR /root/${CMAKE_INSTALL_LIBDIR}/pkgconfig /root)
string(REGEX REPLACE "/$" "" ZG_PC_PREFIX_FROM_PCDIR "${ZG_PC_PREFIX_FROM_PCDIR}")
configure_file(cmake/zorgraphics.pc.in ${CMAKE_CURRENT_BINARY_DIR}/zorgraphics.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zorgraphics.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

set(CPACK_PACKAGE_NAME zorgraphics)
set(CPACK_PACKAGE_VENDOR "zorgraphics")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A graphics-window library for teaching")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-x86_64)
else()
  set(CPACK_GENERATOR TGZ)
  set(CPACK_SYSTEM_NAME linux-${CMAKE_SYSTEM_PROCESSOR})
endif()
configure_file(cmake/cpack_project.cmake.in ${CMAKE_BINARY_DIR}/cpack_project.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/cpack_project.cmake)
include(CPack)
