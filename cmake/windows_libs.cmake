# The libraries scripts/windows_libs.sh cross-builds for zorvant-cli.exe, in the prefix it
# printed (ZV_WIN_LIBS; scripts/build.sh passes it on). Each becomes an imported target of the
# name CMake's own find modules give it on Linux, so that one target_link_libraries line serves
# both systems: ZLIB::ZLIB, PNG::PNG, Freetype::Freetype, SQLite::SQLite3, and Cairo::Cairo
# (image, PNG, PDF and FreeType fonts; its headers bring FreeType's). All are static archives,
# linked into the .exe; without a prefix none of them exists and the CLI writes SVG only.
set(ZV_WIN_LIBS "" CACHE PATH "Prefix of the cross-built libraries (scripts/windows_libs.sh)")
if(NOT ZV_WIN_LIBS)
  message(STATUS "Windows libraries: none (ZV_WIN_LIBS is empty)")
  return()
endif()
if(NOT EXISTS ${ZV_WIN_LIBS}/VERSIONS)
  message(FATAL_ERROR "ZV_WIN_LIBS=${ZV_WIN_LIBS} is not a prefix built by "
                      "scripts/windows_libs.sh (no VERSIONS file)")
endif()

# zv_win_library(TARGET ARCHIVE INCLUDE_DIR [DEPENDENCIES...])
function(zv_win_library target archive include_dir)
  if(NOT EXISTS ${archive})
    message(FATAL_ERROR "${archive} is missing: run scripts/windows_libs.sh --rebuild")
  endif()
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES
    IMPORTED_LOCATION ${archive}
    INTERFACE_INCLUDE_DIRECTORIES ${include_dir}
    INTERFACE_LINK_LIBRARIES "${ARGN}")
endfunction()

set(sysroot /usr/x86_64-w64-mingw32)
set(prefix ${ZV_WIN_LIBS})
# Debian's libz-mingw-w64-dev; its libz.a, not the import library of zlib1.dll beside it.
zv_win_library(ZLIB::ZLIB ${sysroot}/lib/libz.a ${sysroot}/include)
zv_win_library(PNG::PNG ${prefix}/lib/libpng16.a ${prefix}/include ZLIB::ZLIB)
zv_win_library(Freetype::Freetype ${prefix}/lib/libfreetype.a ${prefix}/include/freetype2
               ZLIB::ZLIB)
zv_win_library(zv_win_pixman ${prefix}/lib/libpixman-1.a ${prefix}/include/pixman-1)
# cairo builds itself with _FORTIFY_SOURCE, whose checked string functions mingw-w64 keeps in
# GCC's libssp.
zv_win_library(Cairo::Cairo ${prefix}/lib/libcairo.a ${prefix}/include/cairo
               zv_win_pixman Freetype::Freetype PNG::PNG ZLIB::ZLIB ssp)
zv_win_library(SQLite::SQLite3 ${prefix}/lib/libsqlite3.a ${prefix}/include)

file(STRINGS ${ZV_WIN_LIBS}/VERSIONS versions)
list(JOIN versions ", " versions)
message(STATUS "Windows libraries: ${versions}")
