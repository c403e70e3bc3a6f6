# What `cmake --install` puts where, as a Linux desktop program expects it, and the Debian
# package made of the same (`cpack -G DEB`, see scripts/package). Test programs, benchmarks and
# fuzz targets are never installed: only the commands of packaging/commands.txt are.
include(GNUInstallDirs)

set(norvane_desktop_id org.norvane.Norvane)
set(norvane_desktop_dir ${PROJECT_SOURCE_DIR}/desktop)
set(norvane_packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(norvane_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/norvane)
set(NORVANE_MAINTAINER "The Norvane developers <norvane@example.org>")
# The package's own revision of this version of Norvane.
set(norvane_package_revision 1)
set(NORVANE_PACKAGE_VERSION ${PROJECT_VERSION}-${norvane_package_revision})

# The commands this build makes, each with what it is: "name  what it is" lines, # comments.
file(STRINGS ${norvane_packaging_dir}/commands.txt norvane_command_lines REGEX "^[^#]")
set(norvane_commands)
set(norvane_command_texts)
foreach(line ${norvane_command_lines})
  string(REGEX MATCH "^([^ ]+) +(.*)$" matched "${line}")
  if(TARGET ${CMAKE_MATCH_1})
    list(APPEND norvane_commands ${CMAKE_MATCH_1})
    list(APPEND norvane_command_texts "${CMAKE_MATCH_2}")
  endif()
endforeach()

install(TARGETS ${norvane_commands} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Manual pages and documents are installed as Debian wants them: gzip -9n, the best compression
# without a name or time in the header, so that the same text always gives the same bytes.
set(norvane_compressed_files)
function(norvane_install_compressed file destination)
  add_custom_command(OUTPUT ${file}.gz COMMAND gzip -9nkf ${file} DEPENDS ${file} VERBATIM)
  install(FILES ${file}.gz DESTINATION ${destination})
  set(norvane_compressed_files ${norvane_compressed_files} ${file}.gz PARENT_SCOPE)
endfunction()

# The pages of the commands, with the version and date filled in where a page asks for them.
foreach(command ${norvane_commands})
  configure_file(${PROJECT_SOURCE_DIR}/man/${command}.1 ${PROJECT_BINARY_DIR}/man/${command}.1 @ONLY)
  norvane_install_compressed(${PROJECT_BINARY_DIR}/man/${command}.1 ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The licence's terms in the machine-readable copyright file, taken from LICENSE: its copyright
# line and the text after it, indented as a field's continuation lines, blank lines as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE norvane_licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" matched "${norvane_licence}")
set(NORVANE_COPYRIGHT "${CMAKE_MATCH_1}")
string(FIND "${norvane_licence}" "Redistribution and use" terms_start)
string(SUBSTRING "${norvane_licence}" ${terms_start} -1 terms)
string(STRIP "${terms}" terms)
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " NORVANE_LICENCE_TERMS " ${terms}")
configure_file(${norvane_packaging_dir}/copyright.in ${PROJECT_BINARY_DIR}/doc/copyright @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/doc/copyright DESTINATION ${norvane_doc_dir})

# The changelog, and the package's own, whose entry is dated in the mail format.
configure_file(${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_BINARY_DIR}/doc/changelog COPYONLY)
norvane_install_compressed(${PROJECT_BINARY_DIR}/doc/changelog ${norvane_doc_dir})
execute_process(COMMAND date -u -R -d "${NORVANE_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE NORVANE_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(${norvane_packaging_dir}/changelog.Debian.in ${PROJECT_BINARY_DIR}/doc/changelog.Debian @ONLY)
norvane_install_compressed(${PROJECT_BINARY_DIR}/doc/changelog.Debian ${norvane_doc_dir})

add_custom_target(norvane_compressed_files ALL DEPENDS ${norvane_compressed_files})

# What lintian is told to let pass, each with its reason.
install(FILES ${norvane_packaging_dir}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME norvane)

if(TARGET norvane)
  # The metadata lists every command, in <provides> and in its description.
  set(NORVANE_PROVIDED_BINARIES)
  set(NORVANE_COMMAND_ITEMS)
  foreach(command text IN ZIP_LISTS norvane_commands norvane_command_texts)
    string(APPEND NORVANE_PROVIDED_BINARIES "\n    <binary>${command}</binary>")
    string(APPEND NORVANE_COMMAND_ITEMS "\n      <li>${command}: ${text}</li>")
  endforeach()
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
set(CPACK_PACKAGE_CONTACT "${NORVANE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${NORVANE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "watch, restart and re-flash a GPS receiver module on a serial port")
# The long description, a table of the commands at its end; CPack puts the summary line above it.
set(CPACK_PACKAGE_DESCRIPTION
    "Norvane finds a GPS receiver's serial port and rate, decodes its NMEA output\n"
    "and shows the fix, a sky plot, an SNR chart and every sentence. It saves the\n"
    "raw stream, sends cold, warm and hot restarts, measures the time to first fix\n"
    "over repeated restarts and downloads firmware.\n"
    "\n"
    "Commands:\n")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
# Each command's line indented, so that it is shown as it stands; the text ends in a line end,
# as CPack strips the last line.
foreach(command text IN ZIP_LISTS norvane_commands norvane_command_texts)
  string(LENGTH "${command}" length)
  math(EXPR padding "16 - ${length}")
  string(REPEAT " " ${padding} spaces)
  string(APPEND CPACK_PACKAGE_DESCRIPTION "  ${command}${spaces}${text}\n")
endforeach()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${norvane_package_revision})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link, and the versions of them, read from the built programs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
