# cpack -G DEB: a Debian package of what cmake --install puts in place, under
# /usr. Its dependencies are the runtime libraries dpkg-shlibdeps finds in
# the program (Qt 6 Widgets and PrintSupport, libjpeg), plus the toolkit's
# platform plugins, which the program loads without linking them. Recommended: the icon theme
# the toolbar falls back to where the desktop names none, and the SVG icon
# engine that the scalable icons of most desktop themes need.
set(CPACK_PACKAGE_NAME tessaloquine)
set(CPACK_PACKAGE_VENDOR Hollowmere)
set(CPACK_PACKAGE_CONTACT "Hollowmere <tessaloquine@hollowmere.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Memorise numbers with the phonetic system of mnemonics")
set(CPACK_PACKAGE_DESCRIPTION
  "Tessaloquine turns numbers into phrases with the phonetic system of mnemonics: every digit stands for a few consonant sounds, so every word spells a number. Type a number, pick words from a pronouncing dictionary, and keep the numbers with their phrases in worksheets.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.hollowmere.com/tessaloquine/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "adwaita-icon-theme, libqt6svg6")
include(CPack)
