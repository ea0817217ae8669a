# A Debian package (cpack -G DEB in the build folder): the programs and their
# read-only modules/ in /usr/lib/kx20-config, started through /usr/bin, with
# the desktop entry, icon, udev rule, manual pages and bash completion where
# the system looks for them. The rules form the install component "system",
# which a plain `cmake --install` (the portable folder) leaves out.
set(KX20_PKG_LIB usr/lib/kx20-config)
set(KX20_PKG_STAGE ${CMAKE_BINARY_DIR}/package)
file(MAKE_DIRECTORY ${KX20_PKG_STAGE})

install(TARGETS kx20-config kx20-config-demo kx20ctl RUNTIME DESTINATION ${KX20_PKG_LIB}
        COMPONENT system EXCLUDE_FROM_ALL)
install(DIRECTORY modules/ DESTINATION ${KX20_PKG_LIB}/modules COMPONENT system EXCLUDE_FROM_ALL
        PATTERN qml EXCLUDE REGEX "/img/src$" EXCLUDE REGEX "/img/pictures\\.txt$" EXCLUDE)

# The programs resolve their own path through the link, so they still find
# modules/ beside the real executable.
foreach(program kx20-config kx20-config-demo kx20ctl)
    file(CREATE_LINK ../lib/kx20-config/${program} ${KX20_PKG_STAGE}/${program} SYMBOLIC)
    install(FILES ${KX20_PKG_STAGE}/${program} DESTINATION usr/bin COMPONENT system EXCLUDE_FROM_ALL)
endforeach()

set(KX20_EXEC kx20-config)
set(KX20_ICON kx20-config)
configure_file(packaging/kx20-config.desktop.in ${KX20_PKG_STAGE}/kx20-config.desktop @ONLY)
install(FILES ${KX20_PKG_STAGE}/kx20-config.desktop DESTINATION usr/share/applications
        COMPONENT system EXCLUDE_FROM_ALL)
install(FILES packaging/kx20-config.png DESTINATION usr/share/icons/hicolor/64x64/apps
        COMPONENT system EXCLUDE_FROM_ALL)
install(FILES packaging/70-kx20-mouse.rules DESTINATION lib/udev/rules.d COMPONENT system EXCLUDE_FROM_ALL)
# Software centres offer the package for the mouse the rule serves.
install(FILES packaging/kx20-config.metainfo.xml DESTINATION usr/share/metainfo COMPONENT system EXCLUDE_FROM_ALL)
install(FILES packaging/kx20ctl.bash-completion DESTINATION usr/share/bash-completion/completions
        RENAME kx20ctl COMPONENT system EXCLUDE_FROM_ALL)
install(FILES packaging/copyright DESTINATION usr/share/doc/kx20-config COMPONENT system EXCLUDE_FROM_ALL)

# Manual pages and the changelog compressed without a time stamp, as Debian
# wants them.
function(kx20_gzip source target)
    execute_process(COMMAND gzip -9 -n -c ${source} OUTPUT_FILE ${target} RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "gzip ${source} failed")
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()
foreach(page kx20-config kx20-config-demo kx20ctl)
    kx20_gzip(${CMAKE_SOURCE_DIR}/packaging/man/${page}.1 ${KX20_PKG_STAGE}/${page}.1.gz)
    install(FILES ${KX20_PKG_STAGE}/${page}.1.gz DESTINATION usr/share/man/man1 COMPONENT system EXCLUDE_FROM_ALL)
endforeach()
kx20_gzip(${CMAKE_SOURCE_DIR}/packaging/changelog ${KX20_PKG_STAGE}/changelog.gz)
install(FILES ${KX20_PKG_STAGE}/changelog.gz DESTINATION usr/share/doc/kx20-config COMPONENT system EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kx20-config)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "kx20-config developers <kx20@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility for the KX20 gaming mouse")
# CPack puts the summary above this body.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Sets the KX20 mouse's buttons, keyboard macros, DPI stages, report rate,\n"
    "lighting, gun data and on-board profiles over its vendor-defined HID\n"
    "reports. Includes kx20-config-demo, the program with an emulated mouse,\n"
    "and kx20ctl, a command-line companion.")
string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.com/kx20")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The scene's QML imports and Qt's platform plugins are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qml6-module-qtquick, qml6-module-qtquick-window, qml6-module-qtqml-workerscript, qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};kx20-config;system;/")
include(CPack)
