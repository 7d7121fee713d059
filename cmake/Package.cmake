# The Debian package: cpack -G DEB in the build folder (scripts/package) makes
# folioforge_VERSION_ARCH.deb from the stripped install tree under the prefix /usr, with the
# run-time dependencies computed by dpkg-shlibdeps and the version taken from the project's
# version, which the programs' version records carry too. No maintainer scripts of our own: the
# icon, menu, MIME and manual caches follow the installed files through dpkg's triggers.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME folioforge)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velkor")
set(CPACK_PACKAGE_CONTACT "Folioforge maintainers <support@folioforge.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn image files into PDF documents")
set(CPACK_PACKAGE_DESCRIPTION
    "Folioforge collects images in a list, puts them in order and turns them into\n\
one PDF for all images, one per image or one per folder, with paper size,\n\
margins, re-encoding, watermarks, document information and bookmarks. It offers\n\
a desktop program, a file-manager menu entry and the command-line converter\n\
folioforge-cli.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY folioforge)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# Owner and permissions of every file are root's and the usual ones, whoever builds.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
