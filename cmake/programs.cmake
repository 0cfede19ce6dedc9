# The two programs a student uses, as downloads. Their install rules form a component of their
# own, "programs", which a plain `cmake --install` leaves out, so the library's package stays as
# it is; `cpack -D ZG_PACKAGE=programs` packs that component alone (cmake/cpack_project.cmake.in):
#   Linux:   a .deb with both programs, desktop entries, icons at the usual sizes and man pages;
#   Windows: a zip of the two self-contained .exe files (static runtime, an icon and a version in
#            each) with a README.
# The icons are drawn by the library itself (tools/icon, scripts/make-icons.sh): at build time
# for the .deb, and checked in as .ico files for the cross build, which cannot run the drawing;
# the test programs_icons keeps the checked-in files equal to a fresh drawing.
if(NOT TARGET gyroscope OR NOT TARGET gyroscope_lab)
  return()
endif()
set(zg_programs gyroscope gyroscope_lab)
set(zg_program_descriptions "Gyroscope: precession and nutation" "Gyroscope lab: the heavy symmetric top")
set(ZG_VERSION ${PROJECT_VERSION})
set(zg_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(zg_programs_dir ${CMAKE_BINARY_DIR}/programs)

function(zg_crlf_copy from to)  # a text file with Windows line ends, @ZG_VERSION@ filled in
  file(READ ${from} text)
  string(REPLACE "@ZG_VERSION@" "${ZG_VERSION}" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${to} "${text}")
endfunction()

if(WIN32)
  foreach(ZG_PROGRAM ZG_DESCRIPTION IN ZIP_LISTS zg_programs zg_program_descriptions)
    set(ZG_ICON ${zg_packaging}/icons/${ZG_PROGRAM}.ico)
    configure_file(${zg_packaging}/program.rc.in ${zg_programs_dir}/${ZG_PROGRAM}.rc @ONLY)
    target_sources(${ZG_PROGRAM} PRIVATE ${zg_programs_dir}/${ZG_PROGRAM}.rc)
    set_property(SOURCE ${zg_programs_dir}/${ZG_PROGRAM}.rc APPEND PROPERTY OBJECT_DEPENDS ${ZG_ICON})
  endforeach()
  zg_crlf_copy(${zg_packaging}/README-windows.txt ${zg_programs_dir}/README.txt)
  zg_crlf_copy(${PROJECT_SOURCE_DIR}/LICENSE ${zg_programs_dir}/LICENSE.txt)
  install(TARGETS ${zg_programs} RUNTIME DESTINATION . COMPONENT programs EXCLUDE_FROM_ALL)
  install(FILES ${zg_programs_dir}/README.txt ${zg_programs_dir}/LICENSE.txt DESTINATION .
          COMPONENT programs EXCLUDE_FROM_ALL)
  return()
endif()

if(NOT TARGET program_icon)
  return()
endif()
# Icons, man pages and the Debian changelog are made at build time; gzip -n leaves no time stamp
# in them, so the package is the same from one build to the next.
set(zg_program_files ${zg_programs_dir}/icons/stamp)
add_custom_command(OUTPUT ${zg_programs_dir}/icons/stamp
                   COMMAND ${PROJECT_SOURCE_DIR}/scripts/make-icons.sh $<TARGET_FILE:program_icon>
                           ${zg_programs_dir}/icons
                   DEPENDS program_icon ${PROJECT_SOURCE_DIR}/scripts/make-icons.sh VERBATIM)
foreach(page gyroscope.1 gyroscope_lab.1)
  configure_file(${zg_packaging}/${page} ${zg_programs_dir}/man/${page} @ONLY)
  add_custom_command(OUTPUT ${zg_programs_dir}/man/${page}.gz
                     COMMAND gzip -9nkf ${zg_programs_dir}/man/${page}
                     DEPENDS ${zg_programs_dir}/man/${page} VERBATIM)
  list(APPEND zg_program_files ${zg_programs_dir}/man/${page}.gz)
  install(FILES ${zg_programs_dir}/man/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
          COMPONENT programs EXCLUDE_FROM_ALL)
endforeach()
configure_file(${zg_packaging}/changelog.Debian.in ${zg_programs_dir}/doc/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${zg_programs_dir}/doc/changelog.Debian.gz
                   COMMAND gzip -9nkf ${zg_programs_dir}/doc/changelog.Debian
                   DEPENDS ${zg_programs_dir}/doc/changelog.Debian VERBATIM)
list(APPEND zg_program_files ${zg_programs_dir}/doc/changelog.Debian.gz)
add_custom_target(program_files ALL DEPENDS ${zg_program_files})

# The licence in Debian's machine-readable form: each line indented, blank lines as " .".
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE zg_license_lines)
set(zg_copyright "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n")
string(APPEND zg_copyright "Upstream-Name: gyroscope\n\nFiles: *\n")
string(APPEND zg_copyright "Copyright: 2026 the zorgraphics developers\nLicense: Zlib\n")
foreach(line IN LISTS zg_license_lines)
  if(line STREQUAL "")
    set(line ".")
  endif()
  string(APPEND zg_copyright " ${line}\n")
endforeach()
file(WRITE ${zg_programs_dir}/doc/copyright "${zg_copyright}")

install(TARGETS ${zg_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs
        EXCLUDE_FROM_ALL)
install(FILES ${zg_packaging}/gyroscope.desktop ${zg_packaging}/gyroscope_lab.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT programs EXCLUDE_FROM_ALL)
install(DIRECTORY ${zg_programs_dir}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
        COMPONENT programs EXCLUDE_FROM_ALL)
install(FILES ${zg_programs_dir}/doc/copyright ${zg_programs_dir}/doc/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/gyroscope COMPONENT programs EXCLUDE_FROM_ALL)
