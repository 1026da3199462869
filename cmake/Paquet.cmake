# What `cmake --install` puts beside the two programs (installed with their
# targets, the help document with tools/doc), and the Debian package built
# from the same rules by `cpack -G DEB`.

# The sample extraction, beside the help document in share/brivane.
install(FILES ${PROJECT_SOURCE_DIR}/exemples/CSVListeElectorale.csv
        DESTINATION ${CMAKE_INSTALL_DATADIR}/brivane)

# The desktop's menu entry, the icon and the software centres' description.
set(BRIVANE_BUREAU ${PROJECT_SOURCE_DIR}/resources/bureau)
install(FILES ${BRIVANE_BUREAU}/fr.kelvora.brivane.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${BRIVANE_BUREAU}/fr.kelvora.brivane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${BRIVANE_BUREAU}/fr.kelvora.brivane.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The licence: Brivane is free software under the GNU GPL, version 3 or later;
# Debian wants the notice in the machine-readable copyright format.
set(BRIVANE_COPYRIGHT ${CMAKE_BINARY_DIR}/copyright)
file(CONFIGURE OUTPUT ${BRIVANE_COPYRIGHT} CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Brivane
Upstream-Contact: Équipe Kelvora <brivane@kelvora.invalid>

Files: *
Copyright: 2026 Kelvora
License: GPL-3+

License: GPL-3+
 This program is free software: you can redistribute it and/or modify
 it under the terms of the GNU General Public License as published by
 the Free Software Foundation, either version 3 of the License, or
 (at your option) any later version.
 .
 This program is distributed in the hope that it will be useful,
 but WITHOUT ANY WARRANTY; without even the implied warranty of
 MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE.  See the
 GNU General Public License for more details.
 .
 On Debian systems, the complete text of the GNU General Public License
 version 3 can be found in `/usr/share/common-licenses/GPL-3'.
")
install(FILES ${BRIVANE_COPYRIGHT} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/brivane)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/COPYING)

# brivane-pdf's manual page, compressed as Debian ships them.
set(BRIVANE_MAN ${CMAKE_BINARY_DIR}/man/brivane-pdf.1.gz)
add_custom_command(
  OUTPUT ${BRIVANE_MAN}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
  COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/tools/pdf/brivane-pdf.1 > ${BRIVANE_MAN}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/pdf/brivane-pdf.1
  COMMENT "Page de manuel brivane-pdf.1.gz")
add_custom_target(brivane_man ALL DEPENDS ${BRIVANE_MAN})
install(FILES ${BRIVANE_MAN} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brivane)
set(CPACK_PACKAGE_VENDOR Kelvora)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "étiquettes de la liste électorale des parents d'élèves")
set(CPACK_PACKAGE_DESCRIPTION
    "Brivane imprime les étiquettes d'adresse de la liste électorale des parents
d'élèves d'une école primaire, à partir de l'extraction CSV de Base Elèves :
une étiquette par électeur, sur n'importe quelle imprimante ou dans un PDF.
La commande brivane-pdf produit les mêmes étiquettes sans fenêtre.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Équipe Kelvora <brivane@kelvora.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Qt's libraries, its X11 platform and SVG plugins (the wizard's pictures and
# the icon), Qt's French translations (its dialogs), and the fonts that stand
# in for Arial and MS Sans Serif.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libqt6svg6 (>= 6.4), libqt6svgwidgets6 (>= 6.4), qt6-qpa-plugins (>= 6.4), qt6-translations-l10n, fonts-liberation2")
# The C and C++ runtimes, as the binaries were linked.
find_program(BRIVANE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(BRIVANE_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
