# The Windows program as a zip, built with `cpack -G ZIP` in a build folder: karvosel.exe alone,
# which needs nothing beside it.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME karvosel)
set(CPACK_PACKAGE_VENDOR "The Karvosel developers")
set(CPACK_PACKAGE_FILE_NAME karvosel-${PROJECT_VERSION}-${KARVOSEL_ZIP_ARCHITECTURE})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
