# What `cmake --install` puts where, as a Linux desktop program expects it, and the Debian
# package made of the same (`cpack -G DEB`, see scripts/package). Test programs, benchmarks and
# fuzz targets are never installed: only the targets named here are.
include(GNUInstallDirs)

set(norvane_desktop_id org.norvane.Norvane)
set(norvane_desktop_dir ${PROJECT_SOURCE_DIR}/desktop)

foreach(program norvane norvane-sim norvane-ttff norvane-survey)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# Every page in man/, with the version and date filled in where a page asks for them.
file(GLOB norvane_man_pages CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/man/*.1)
foreach(page ${norvane_man_pages})
  get_filename_component(name ${page} NAME)
  configure_file(${page} ${PROJECT_BINARY_DIR}/man/${name} @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/man/${name} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

if(TARGET norvane)
  configure_file(${norvane_desktop_dir}/${norvane_desktop_id}.metainfo.xml.in
                 ${PROJECT_BINARY_DIR}/desktop/${norvane_desktop_id}.metainfo.xml @ONLY)
  install(FILES ${norvane_desktop_dir}/${norvane_desktop_id}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_BINARY_DIR}/desktop/${norvane_desktop_id}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${norvane_desktop_dir}/${norvane_desktop_id}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${norvane_desktop_dir}/${norvane_desktop_id}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
endif()

set(CPACK_PACKAGE_NAME norvane)
set(CPACK_PACKAGE_VENDOR "The Norvane developers")
set(CPACK_PACKAGE_CONTACT "The Norvane developers <norvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "watch, restart and re-flash a GPS receiver module on a serial port")
# The long description; CPack puts the summary line above it.
set(CPACK_PACKAGE_DESCRIPTION
    "Norvane finds a GPS receiver's serial port and rate, decodes its NMEA output and\n"
    "shows the fix, a sky plot, an SNR chart and every sentence. It saves the raw\n"
    "stream, sends cold, warm and hot restarts, measures the time to first fix over\n"
    "repeated restarts and downloads firmware. The receiver simulator norvane-sim is\n"
    "included for trying it without hardware.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# The libraries the programs link, and the versions of them, read from the built programs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
