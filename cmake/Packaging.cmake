# What an installation holds, and the Debian package made from it
# ("./quarry.sh package", or "cpack -G DEB" in the plain tree).
include(GNUInstallDirs)

set(QUARRY_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quarry)

install(TARGETS quarry quarry-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The programs look beside themselves first, then here.
install(DIRECTORY dat DESTINATION ${CMAKE_INSTALL_DATADIR}/quarry)
install(FILES data/org.example.quarry.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/quarry.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/org.example.quarry.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/completion/quarry-cli DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES data/debian/copyright docs/scripting.md DESTINATION ${QUARRY_DOC_DIR})
install(DIRECTORY examples/scripts/ DESTINATION ${QUARRY_DOC_DIR}/examples)

# Manual pages and the changelog go in compressed, without time stamps so
# the package is the same from the same sources.
set(compressed)
foreach(source man/quarry.1 man/quarry-cli.1 debian/changelog)
  get_filename_component(name ${source} NAME)
  set(output ${CMAKE_BINARY_DIR}/compressed/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/compressed
    COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/data/${source} > ${output}
    DEPENDS ${CMAKE_SOURCE_DIR}/data/${source} VERBATIM)
  list(APPEND compressed ${output})
endforeach()
add_custom_target(quarry-compressed-docs ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/compressed/quarry.1.gz ${CMAKE_BINARY_DIR}/compressed/quarry-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/compressed/changelog.gz DESTINATION ${QUARRY_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quarry)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quarry developers")
set(CPACK_PACKAGE_CONTACT "Quarry developers <quarry@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "level editor for one NES game")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quarry developers <quarry@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quarry.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quarry opens the game's iNES image and edits it where it lies: the
background maps and their screen pointers, the actors and stairs, the
palettes, the background and sprite tiles, the metatiles and their
solidity, and the game's text. Every edit can be undone, and everything
is written back in place.

quarry-cli reads and edits images without the editor, renders maps and
makes and applies IPS and BPS patches.")
include(CPack)
