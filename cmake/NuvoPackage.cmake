# Packaging: `cmake --install` lays the programs, the samples and the desktop files out under
# the prefix; `cpack` (from the build folder) makes a Debian package of the same tree.
include(GNUInstallDirs)

# The local stand-in for the auction service goes with the programs when it is built.
if(TARGET nuvo-sandbox)
  install(TARGETS nuvo-sandbox)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nuvo)
set(CPACK_PACKAGE_VENDOR "Zabuto Soft")
set(CPACK_PACKAGE_CONTACT "Zabuto Soft <nuvo@zabuto.jp>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Compose and submit listings for Yahoo! JAPAN Auctions")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n")
include(CPack)
