# The Debian package, built with `cpack -G DEB` in a build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME karvosel)
set(CPACK_PACKAGE_VENDOR "The Karvosel developers")
set(CPACK_PACKAGE_CONTACT "The Karvosel developers <karvosel@karvosel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "composes the Vandrelix viewer's command line for a model")
set(CPACK_PACKAGE_DESCRIPTION
    "Karvosel is a small always-on-top window: drop a model file on it, set the
viewer's options and window size, and copy the exact command line that starts
the Vandrelix viewer with that model.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Its folders are rwxr-xr-x, as Debian wants them, whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Only the package's copies: the build folder keeps its debug information.
set(CPACK_STRIP_FILES ON)
# The captions are Simplified Chinese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wl-clipboard")
include(CPack)
