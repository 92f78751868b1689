# The Debian package, built by scripts/package with CPack from the install rules.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME padflasher)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The PadFlasher developers")
set(CPACK_PACKAGE_CONTACT "PadFlasher maintainers <maintainers@users.noreply.c-seed-3cb9c941.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "update the firmware of a telescope hand control")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "PadFlasher updates the firmware of a telescope hand control over a serial cable
or a USB-serial adapter. A four-page wizard leads from the choice of the serial
port and of a firmware image to programming and verifying the hand control; a
Web Updates window fetches firmware images from the maker's download site.
.
The package also holds padflasher-cli, the same operations for a terminal or a
script, and padflasher-hcsim, a simulated hand control for trying everything
without the hardware.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends come from the programs' shared libraries (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
