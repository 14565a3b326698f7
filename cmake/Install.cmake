# What `cmake --install` lays out: the program, the read-only shipped data
# tree, the udev rule, the desktop entry, icons and AppStream metadata.
include(GNUInstallDirs)
# The programs the package ships; scripts/package builds exactly these.
set(HALCYON_INSTALLED_PROGRAMS halcyon halcyonctl)
install(TARGETS ${HALCYON_INSTALLED_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
add_custom_target(halcyon_package_contents DEPENDS ${HALCYON_INSTALLED_PROGRAMS} halcyon_data)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/modules
        DESTINATION ${CMAKE_INSTALL_DATADIR}/halcyon
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                              WORLD_READ WORLD_EXECUTE)
# udev looks in /usr/lib/udev/rules.d (or /lib/udev/rules.d), below the prefix.
install(FILES ${CMAKE_SOURCE_DIR}/data/linux/70-halcyon.rules DESTINATION lib/udev/rules.d)
install(FILES ${CMAKE_SOURCE_DIR}/data/linux/halcyon.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/linux/halcyon.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME io.halcyon.Halcyon.metainfo.xml)
install(FILES ${CMAKE_SOURCE_DIR}/data/linux/icons/halcyon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/data/linux/icons/halcyon-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME halcyon.png)
endforeach()
# The package's copyright and changelog, where Debian tools look for them.
install(FILES ${CMAKE_SOURCE_DIR}/data/linux/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/halcyon)
execute_process(COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/data/linux/debian/changelog
                OUTPUT_FILE ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/halcyon)
execute_process(COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/data/linux/halcyon.1
                OUTPUT_FILE ${CMAKE_BINARY_DIR}/halcyon.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/halcyon.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/data/linux/halcyon.1 ${CMAKE_SOURCE_DIR}/data/linux/debian/changelog)
# halcyonctl's manual page and bash completion.
execute_process(COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/tools/halcyonctl/halcyonctl.1
                OUTPUT_FILE ${CMAKE_BINARY_DIR}/halcyonctl.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/halcyonctl.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/halcyonctl/halcyonctl.1)
install(FILES ${CMAKE_SOURCE_DIR}/tools/halcyonctl/halcyonctl.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME halcyonctl)
