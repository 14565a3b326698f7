# The Debian package (scripts/package): what `cmake --install` lays out,
# under /usr, with the runtime dependencies and the udev reload on install.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME halcyon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility of the HALCYON gaming mouse")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Finds the HALCYON gaming mouse on the USB bus and edits what it stores:\n"
    "button functions, keyboard macros, DPI stages and colours, lift-off\n"
    "distance, lighting and gun presets, per profile. It lives in the system\n"
    "tray and also sets the desktop's pointer settings.")
set(CPACK_PACKAGE_CONTACT "Halcyon developers <halcyon@halcyon.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.halcyon.example/")
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE HALCYON_DEB_ARCH
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT HALCYON_DEB_ARCH)
  set(HALCYON_DEB_ARCH amd64)
endif()
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${HALCYON_DEB_ARCH})
set(CPACK_DEBIAN_FILE_NAME "halcyon_${PROJECT_VERSION}_${HALCYON_DEB_ARCH}.deb")
# Libraries the program links come from dpkg-shlibdeps; the QML modules,
# platform plugins and image formats it loads at run time are listed here.
# The QML modules are those the scene imports (QtQuick and what it pulls
# in); the package test compares them with a traced run of the scene.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qml6-module-qtquick, qml6-module-qtqml, qml6-module-qtqml-models, qml6-module-qtqml-workerscript, \
qt6-qpa-plugins, libqt6svg6, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gsettings-desktop-schemas")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_SOURCE_DIR}/data/linux/debian/postinst ${CMAKE_SOURCE_DIR}/data/linux/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/StripPackaged.cmake)
# Only what the program needs, not the tools and tests of the build tree.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Halcyon;ALL;/")
# Packaging installs what is built; it need not build the tests first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
include(CPack)
