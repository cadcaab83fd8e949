# Installing Grossby 2018 the way a desktop expects, and its Debian package.
#
#   bin/grossby, bin/grossby-cli
#   share/grossby/            report templates, the help document, the picture
#                             (the program looks in ../share/grossby beside its
#                             executable, so this path is fixed: see
#                             services/file_locations.cpp)
#   share/icons/hicolor/      the program icon, drawn by the same code as the windows'
#   share/applications/grossby.desktop, share/metainfo/<id>.metainfo.xml
#   share/man/man1/           grossby-cli.1.gz made from the tool's own --help, grossby.1.gz
#   share/doc/grossby/        copyright and changelog
#
# Templates are installed by pattern, so a new *.rpt needs no listing here.

find_package(Qt6 REQUIRED COMPONENTS Svg)
find_program(GROSSBY_GZIP gzip REQUIRED)

set(GROSSBY_APP_ID za.co.grossby.Grossby2018)
set(GROSSBY_MAINTAINER "Grossby 2018 developers <grossby@example.org>")
set(GROSSBY_DATA_DESTINATION share/grossby)
set(GROSSBY_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)
set(GROSSBY_PACKAGING_SOURCE ${CMAKE_SOURCE_DIR}/packaging)

# The icon files, at the sizes desktops look for.
set(GROSSBY_ICON_SIZES 16 24 32 48 64 128 256)
add_executable(grossby-icongen ${GROSSBY_PACKAGING_SOURCE}/icongen.cpp ${CMAKE_SOURCE_DIR}/src/shell/program_icon.cpp)
target_include_directories(grossby-icongen PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(grossby-icongen PRIVATE Qt6::Gui Qt6::Svg)
set_target_properties(grossby-icongen PROPERTIES
  AUTOMOC OFF AUTOUIC OFF
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
set(GROSSBY_ICON_DIR ${GROSSBY_PACKAGING_DIR}/icons)
set(_icons ${GROSSBY_ICON_DIR}/scalable/apps/grossby.svg)
foreach(size ${GROSSBY_ICON_SIZES})
  list(APPEND _icons ${GROSSBY_ICON_DIR}/${size}x${size}/apps/grossby.png)
endforeach()
add_custom_command(OUTPUT ${_icons}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:grossby-icongen> ${GROSSBY_ICON_DIR} grossby ${GROSSBY_ICON_SIZES}
  DEPENDS grossby-icongen
  COMMENT "Drawing the program icon files"
  VERBATIM)

# The manual pages, compressed as installed manual pages are.
set(GROSSBY_CLI_MAN ${GROSSBY_PACKAGING_DIR}/grossby-cli.1)
add_custom_command(OUTPUT ${GROSSBY_CLI_MAN} ${GROSSBY_CLI_MAN}.gz
  COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:grossby-cli> -DOUT=${GROSSBY_CLI_MAN}
          -DVERSION=${PROJECT_VERSION} -P ${GROSSBY_PACKAGING_SOURCE}/help_to_man.cmake
  COMMAND ${GROSSBY_GZIP} -9nf -k ${GROSSBY_CLI_MAN}
  DEPENDS grossby-cli ${GROSSBY_PACKAGING_SOURCE}/help_to_man.cmake
  COMMENT "Writing the grossby-cli manual page from its --help"
  VERBATIM)
set(GROSSBY_MAN ${GROSSBY_PACKAGING_DIR}/grossby.1.gz)
add_custom_command(OUTPUT ${GROSSBY_MAN}
  COMMAND sh -c "${GROSSBY_GZIP} -9n -c \"$0\" > \"$1\"" ${GROSSBY_PACKAGING_SOURCE}/grossby.1 ${GROSSBY_MAN}
  DEPENDS ${GROSSBY_PACKAGING_SOURCE}/grossby.1
  VERBATIM)

# AppStream metadata and the package's changelog carry the version.
configure_file(${GROSSBY_PACKAGING_SOURCE}/${GROSSBY_APP_ID}.metainfo.xml.in
               ${GROSSBY_PACKAGING_DIR}/${GROSSBY_APP_ID}.metainfo.xml @ONLY)
configure_file(${GROSSBY_PACKAGING_SOURCE}/changelog.in ${GROSSBY_PACKAGING_DIR}/changelog @ONLY)
set(GROSSBY_CHANGELOG ${GROSSBY_PACKAGING_DIR}/changelog.gz)
add_custom_command(OUTPUT ${GROSSBY_CHANGELOG}
  COMMAND sh -c "${GROSSBY_GZIP} -9n -c \"$0\" > \"$1\"" ${GROSSBY_PACKAGING_DIR}/changelog ${GROSSBY_CHANGELOG}
  DEPENDS ${GROSSBY_PACKAGING_DIR}/changelog
  VERBATIM)

add_custom_target(grossby_install_files ALL
  DEPENDS ${_icons} ${GROSSBY_CLI_MAN}.gz ${GROSSBY_MAN} ${GROSSBY_CHANGELOG})

install(TARGETS grossby grossby-cli RUNTIME DESTINATION bin)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/templates/
  DESTINATION ${GROSSBY_DATA_DESTINATION}
  FILES_MATCHING PATTERN "*.rpt")
install(FILES ${GROSSBY_PROGRAM_DIR}/Grossby2018Help.pdf ${GROSSBY_PROGRAM_DIR}/Grossby.jpg
  DESTINATION ${GROSSBY_DATA_DESTINATION})
install(DIRECTORY ${GROSSBY_ICON_DIR}/ DESTINATION share/icons/hicolor)
install(FILES ${GROSSBY_PACKAGING_SOURCE}/grossby.desktop DESTINATION share/applications)
install(FILES ${GROSSBY_PACKAGING_DIR}/${GROSSBY_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${GROSSBY_CLI_MAN}.gz ${GROSSBY_MAN} DESTINATION share/man/man1)
install(FILES ${GROSSBY_PACKAGING_SOURCE}/copyright ${GROSSBY_CHANGELOG} DESTINATION share/doc/grossby)

# The Debian package: cpack -G DEB (or scripts/package.sh).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME grossby)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Grossby)
set(CPACK_PACKAGE_CONTACT "${GROSSBY_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "South African employees' tax and personal finance, 2017/18")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${GROSSBY_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION "Calculators for the 2017/18 South African tax year: PAYE for a pay period
with the medical tax credits, UIF and SDL; the tax on an income (QuickTax);
salary packages forward and in reverse; company-car benefits and car
allowances; loans, schedules, daily interest and inflation. Every result
can be previewed, printed or exported as a report. The grossby-cli command
gives the same calculations to scripts and whole payroll files.")
# The libraries the executables link come from dpkg-shlibdeps. What they load
# at run time is added by name: the SQLite driver of Qt's SQL module and the
# font the report templates are laid out in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
