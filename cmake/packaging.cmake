# What "cmake --install" puts beside the programs on a POSIX system, and the Debian
# package "cpack -G DEB" makes of the same: the manual pages (compressed, as Debian keeps
# them), the systemd service and timer of the daily run, and the user it works as.
include(GNUInstallDirs)

set(VUZAZAV_SYSTEMD_UNIT_DIR "lib/systemd/system" CACHE STRING
  "Where the systemd units go, relative to the install prefix or absolute")
set(VUZAZAV_MAINTAINER "Vuzazav maintainers <maintainers@vuzazav.invalid>" CACHE STRING
  "The Debian package's maintainer, NAME <EMAIL>")

find_program(GZIP_PROGRAM gzip)
set(man_pages "")
foreach(page vuzazav.1 vuzazav-cli.1)
  if(GZIP_PROGRAM)
    # -n: no name or time in the header, so that a rebuild gives the same bytes.
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${GZIP_PROGRAM} -9nc ${CMAKE_SOURCE_DIR}/docs/${page} > ${CMAKE_BINARY_DIR}/man/${page}.gz
      DEPENDS ${CMAKE_SOURCE_DIR}/docs/${page}
      VERBATIM)
    list(APPEND man_pages ${CMAKE_BINARY_DIR}/man/${page}.gz)
  else()
    list(APPEND man_pages ${CMAKE_SOURCE_DIR}/docs/${page})
  endif()
endforeach()
add_custom_target(vuzazav_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(CODE "
  set(vuzazav_source_dir \"${CMAKE_SOURCE_DIR}\")
  set(vuzazav_bindir \"${CMAKE_INSTALL_BINDIR}\")
  set(vuzazav_unit_dir \"${VUZAZAV_SYSTEMD_UNIT_DIR}\")")
install(SCRIPT cmake/install_units.cmake)
install(FILES packaging/vuzazav.sysusers DESTINATION lib/sysusers.d RENAME vuzazav.conf)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vuzazav)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VUZAZAV_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VUZAZAV_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "point forecasts for the City of Vuzazav from MOS and GFS guidance")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "vuzazav blends the MOS guidance bulletins of the stations KBKX, KHON, KMHE
and KFSD into a seven-day point forecast, and turns GFS model output into a
table. vuzazav is the forecaster's menu program; vuzazav-cli runs the same
forecasts for scripts, gathers the bulletins from the guidance products as
received, writes JSON, CSV and SVG meteograms, and verifies past forecasts.
A systemd timer runs the forecast every day after the 1200 UTC guidance.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The architecture dpkg builds for; the dependencies are the Debian packages of the
# libraries the programs link (libeccodes0, libcurl4 where they are used), with their
# versions, as dpkg-shlibdeps finds them on the build machine.
find_program(DPKG_PROGRAM dpkg)
if(DPKG_PROGRAM)
  execute_process(COMMAND ${DPKG_PROGRAM} --print-architecture
    OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${CMAKE_SOURCE_DIR}/packaging/debian/postinst
  ${CMAKE_SOURCE_DIR}/packaging/debian/prerm
  ${CMAKE_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The units are made during the install with the package's prefix, which only an install
# into a staging DESTDIR gives them.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
