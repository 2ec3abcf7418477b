# The Windows installer (NSIS): metal-weight-<version>-win64.exe installs the
# program with what it needs into its own folder, adds a Start-menu entry and
# an entry in the list of installed programs, and an uninstaller that removes
# all of it.
set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_FILE_NAME metal-weight-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Vevari Radidu Zezareruze")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "metal-weight")
set(CPACK_NSIS_PACKAGE_NAME "Vevari Radidu Zezareruze")
set(CPACK_NSIS_DISPLAY_NAME "Vevari Radidu Zezareruze")
# A 64-bit installer: wine64 and 64-bit Windows start it without a 32-bit layer.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
set(CPACK_PACKAGE_EXECUTABLES "metal-weight;Vevari Radidu Zezareruze")
set(CPACK_NSIS_INSTALLED_ICON_NAME "metal-weight.exe")
set(CPACK_NSIS_MUI_ICON ${CMAKE_CURRENT_SOURCE_DIR}/windows/metal-weight.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_CURRENT_SOURCE_DIR}/windows/metal-weight.ico)
set(CPACK_NSIS_URL_INFO_ABOUT ${PROJECT_HOMEPAGE_URL})
set(CPACK_NSIS_CONTACT "${CPACK_PACKAGE_CONTACT}")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
