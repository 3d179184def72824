# CPack in the native Release tree: the Debian package of this tree's install, and the Windows
# zip of the mingw-w64 tree's (ZV_WIN_BINARY_DIR). `cpack` makes both in <tree>/packages;
# `cpack -G DEB` only the package.
set(ZV_PACKAGE_MAINTAINER "Zorvant_2 team <zorvant2@example.org>" CACHE STRING
    "Maintainer of the Debian package: Name <address>")

set(CPACK_GENERATOR DEB ZIP)
set(CPACK_PACKAGE_NAME zorvant-cli)
set(CPACK_PACKAGE_VENDOR "Zorvant_2")
set(CPACK_PACKAGE_CONTACT ${ZV_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "command-line reader and emulator of the Kvar_2 temperature logger")
# Debian shows the description as written: lines of at most 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "zorvant-cli reads a Kvar_2 battery-powered temperature data logger over its"
  "serial line: it shows the logger's information, downloads its sample memory as"
  "the program's text export, CSV or JSON, draws the chart or an overview of the"
  "whole recording as SVG, PNG or PDF, writes the report of a recording to file"
  "and sign (a PDF page with the statistics, the mean kinetic temperature, the"
  "alarm limits and their excursions, or its figures as JSON), and programs a new"
  "measurement configuration. Every download is kept in an archive (SQLite, or"
  "PostgreSQL for a site): the bytes as received with their SHA-256 and an audit"
  "trail in a hash chain, from which reports are made again and against which a"
  "report or an export is verified. kvar2-emu emulates the logger on a"
  "pseudo-terminal, to try the tools without one.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZV_PACKAGE_MAINTAINER})
# The libraries the binaries really link, found by dpkg-shlibdeps (dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# PNG and PDF are drawn in DejaVu Sans and nothing else, which no library pulls in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")

configure_file(${CMAKE_CURRENT_SOURCE_DIR}/cpack_per_generator.cmake.in
               ${CMAKE_CURRENT_BINARY_DIR}/cpack_per_generator.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/cpack_per_generator.cmake)
include(CPack)
