# What `make install` puts where (GNUInstallDirs, under CMAKE_INSTALL_PREFIX, honouring DESTDIR),
# and the Debian package built from the same install rules by CPack. The programs install
# themselves beside their targets; the demo and the test tools are not installed.
set(VARNEL_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)

# udev's rule folder is lib/udev/rules.d under the prefix, never the multiarch library folder.
install(FILES ${VARNEL_PACKAGING}/70-varnel-config.rules DESTINATION lib/udev/rules.d)

if(VARNEL_GUI)
  # The desktop entry, the AppStream file and the icon carry the application id in their names.
  configure_file(${VARNEL_PACKAGING}/app.desktop.in ${CMAKE_BINARY_DIR}/packaging/${VARNEL_APP_ID}.desktop @ONLY)
  configure_file(${VARNEL_PACKAGING}/app.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/packaging/${VARNEL_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${VARNEL_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${VARNEL_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  file(GLOB icons ${VARNEL_PACKAGING}/icons/*x*.png)
  foreach(icon ${icons})
    get_filename_component(size ${icon} NAME_WE)
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps
            RENAME ${VARNEL_APP_ID}.png)
  endforeach()
endif()

# bash loads a command's completion on demand from this folder, by the command's name.
install(FILES ${VARNEL_PACKAGING}/varnelctl.bash-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME varnelctl)

# Manual pages, compressed as Debian keeps them.
set(man_pages "")
foreach(page varnelctl.1 varnel-config.1)
  set(out ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/docs/${page} > ${out}
    DEPENDS ${CMAKE_SOURCE_DIR}/docs/${page}
    COMMENT "Compressing the manual page ${page}")
  list(APPEND man_pages ${out})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The package is made from what is already built: packaging never starts a build of its own.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnel-config)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Varnel Config developers <varnel@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://example.org/varnel)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "configuration program for Varnel gaming mice
Sets up USB gaming mice built on the Varnel controller (Lark and Wren): the
functions of nine buttons in three button maps, DPI stages, report rate,
lighting, on-device macros, profiles and firmware updates, in a window or
from a shell (varnelctl). Includes the udev rule that lets the user at the
seat open the mouse without root.")
# The shared libraries' packages come from dpkg-shlibdeps; the fonts are looked up by name at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-dejavu-extra")
# Qt's own dialogs in Spanish; without it they stay English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${VARNEL_PACKAGING}/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
