# The Windows installer (NSIS): metal-weight-<version>-win64.exe installs the
# program with what it needs into its own folder, adds one Start-menu
# shortcut and an entry in the list of installed programs, and an uninstaller
# that removes all of it. Its pages and what it writes are in our own
# template, NSIS.template.in beside this file.
set(CPACK_GENERATOR NSIS)
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_PACKAGE_FILE_NAME metal-weight-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "${MWC_PRODUCT}")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "metal-weight")
set(CPACK_NSIS_PACKAGE_NAME "${MWC_PRODUCT}")
set(CPACK_NSIS_DISPLAY_NAME "${MWC_PRODUCT}")
# A 64-bit installer: wine64 and 64-bit Windows start it without a 32-bit layer.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON ${CMAKE_CURRENT_LIST_DIR}/metal-weight.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_CURRENT_LIST_DIR}/metal-weight.ico)
set(CPACK_NSIS_URL_INFO_ABOUT ${PROJECT_HOMEPAGE_URL})
set(CPACK_NSIS_CONTACT "${CPACK_PACKAGE_CONTACT}")
# Read by our template only (CPack passes on only CPACK_ variables).
set(CPACK_MWC_PROGRAM metal-weight.exe)
set(CPACK_MWC_SIDE_PICTURE ${CMAKE_CURRENT_LIST_DIR}/installer-side.bmp)  # made by scripts/icons
# Start-menu search matches the shortcut's description as well as its name.
set(CPACK_MWC_SHORTCUT_COMMENT "Metal weight calculator: the weight of metal stock in pounds")
