# Installation and the Debian package: the program, its saver twin, the
# entries that desktop menus and saver daemons read, the icon, the manual
# page, and CPack's settings for `cpack -G DEB`.
#
# Layout under the prefix:
#   bin/orrelume                       the program (the application window)
#   libexec/orrelume/orrelume.scr      its saver twin: /S, /P, /C, /A, .glx
#   libexec/xscreensaver/orrelume      where Debian's XScreenSaver looks for
#                                      display modes
#   share/xscreensaver/config/         the mode's description for its settings
#   share/applications/                the menu entries, and screensavers/ for
#                                      xfce4-screensaver and mate-screensaver
#   share/icons/hicolor/               the icon
#   share/man/man6/orrelume.6.gz       the manual page
#
# The twin lives in a folder of its own: beside bin/orrelume it would turn
# the application into the saver too.

set(ORRELUME_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(ORRELUME_STAGE_DIR ${CMAKE_BINARY_DIR}/packaging)
set(ORRELUME_TWIN_DIR ${CMAKE_INSTALL_LIBEXECDIR}/orrelume)
set(ORRELUME_HACK_DIR ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
set(ORRELUME_VERSION ${PROJECT_VERSION})
set(ORRELUME_DEB_VERSION ${PROJECT_VERSION}-1)

install(TARGETS orrelume RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The recorder of videos and pictures; it runs FFmpeg's program, which the
# package recommends rather than needs.
if(TARGET orrelume-render)
    install(TARGETS orrelume-render RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# Both links point at bin/orrelume relative to where they sit, so the tree
# works under any prefix and from a DESTDIR.
foreach(link twin hack)
    if(link STREQUAL twin)
        set(dir ${ORRELUME_TWIN_DIR})
        set(name orrelume.scr)
    else()
        set(dir ${ORRELUME_HACK_DIR})
        set(name orrelume)
    endif()
    file(RELATIVE_PATH target ${CMAKE_INSTALL_PREFIX}/${dir}
         ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/orrelume)
    file(MAKE_DIRECTORY ${ORRELUME_STAGE_DIR}/${link})
    file(CREATE_LINK ${target} ${ORRELUME_STAGE_DIR}/${link}/${name} SYMBOLIC)
    install(FILES ${ORRELUME_STAGE_DIR}/${link}/${name} DESTINATION ${dir})
endforeach()

configure_file(${ORRELUME_PACKAGING_DIR}/orrelume.6.in ${ORRELUME_STAGE_DIR}/orrelume.6 @ONLY)
configure_file(${ORRELUME_PACKAGING_DIR}/debian/changelog.in
               ${ORRELUME_STAGE_DIR}/changelog.Debian @ONLY)

# The entries that name a program by its full path are written when they are
# installed, from the prefix they are installed under: `cmake --install
# --prefix` and CPack's /usr then get paths that exist.
install(FILES ${ORRELUME_PACKAGING_DIR}/orrelume.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(CODE "
set(ORRELUME_PACKAGING_DIR \"${ORRELUME_PACKAGING_DIR}\")
set(ORRELUME_STAGE_DIR \"${ORRELUME_STAGE_DIR}/install\")
set(ORRELUME_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
set(ORRELUME_TWIN_DIR \"${ORRELUME_TWIN_DIR}\")
set(ORRELUME_HACK_DIR \"${ORRELUME_HACK_DIR}\")
set(ORRELUME_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
")
install(CODE [[
set(ORRELUME_PROGRAM "${CMAKE_INSTALL_PREFIX}/${ORRELUME_BINDIR}/orrelume")
set(ORRELUME_SAVER_TWIN "${CMAKE_INSTALL_PREFIX}/${ORRELUME_TWIN_DIR}/orrelume.scr")
# mate-screensaver and xfce4-screensaver run a theme's program only from
# their own folders under /usr, whatever prefix the entry was installed
# under: elsewhere the entry names the display mode where Debian's folder
# is, and is hidden (TryExec) until a link there reaches the program.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(ORRELUME_DAEMON_PROGRAM "/usr/${ORRELUME_HACK_DIR}/orrelume")
else()
    set(ORRELUME_DAEMON_PROGRAM "/usr/libexec/xscreensaver/orrelume")
endif()
foreach(entry "orrelume-settings.desktop.in;orrelume-settings.desktop;applications"
              "orrelume-screensaver.desktop.in;orrelume.desktop;applications/screensavers"
              "xscreensaver/orrelume.xml.in;orrelume.xml;xscreensaver/config")
    list(GET entry 0 source)
    list(GET entry 1 name)
    list(GET entry 2 dir)
    configure_file("${ORRELUME_PACKAGING_DIR}/${source}" "${ORRELUME_STAGE_DIR}/${dir}/${name}" @ONLY)
    file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${ORRELUME_DATADIR}/${dir}" TYPE FILE
         FILES "${ORRELUME_STAGE_DIR}/${dir}/${name}")
endforeach()
]])
install(FILES ${ORRELUME_PACKAGING_DIR}/icons/orrelume.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 128)
    install(FILES ${ORRELUME_PACKAGING_DIR}/icons/orrelume-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME orrelume.png)
endforeach()

# The manual page and the package's change log go in compressed, as Debian
# wants them (-n: no name or time stamp, so the result is reproducible).
find_program(ORRELUME_GZIP gzip REQUIRED)
foreach(file orrelume.6 changelog.Debian)
    add_custom_command(OUTPUT ${ORRELUME_STAGE_DIR}/${file}.gz
                       COMMAND ${ORRELUME_GZIP} -9nc ${ORRELUME_STAGE_DIR}/${file}
                               > ${ORRELUME_STAGE_DIR}/${file}.gz
                       DEPENDS ${ORRELUME_STAGE_DIR}/${file} VERBATIM)
endforeach()
add_custom_target(orrelume_packaging_data ALL
                  DEPENDS ${ORRELUME_STAGE_DIR}/orrelume.6.gz
                          ${ORRELUME_STAGE_DIR}/changelog.Debian.gz)
install(FILES ${ORRELUME_STAGE_DIR}/orrelume.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${ORRELUME_PACKAGING_DIR}/debian/copyright
              ${ORRELUME_STAGE_DIR}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The installed tree, checked from a DESTDIR under the build folder; its
# saver run needs Xvfb like the real-window tests (skipped without it).
if(ORRELUME_BUILD_TESTS)
    add_test(NAME install.install_test
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/install_test.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(install.install_test PROPERTIES TIMEOUT 60 SKIP_RETURN_CODE 77
                         LABELS "install;xvfb"
                         ENVIRONMENT "ORRELUME_SLOW=$<IF:$<BOOL:${ORRELUME_SANITIZE}>,4,1>")
endif()

# cpack -G DEB: only what is installed above (and the manual) goes in; the
# tests, benchmarks and the other tools have no install rules.
set(CPACK_PACKAGE_NAME orrelume)
set(CPACK_PACKAGE_VENDOR "The Orrelume developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Orrelume developers <packages@orrelume.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen saver of three-dimensional galaxies and universes")
set(CPACK_PACKAGE_DESCRIPTION
    "Orrelume animates three-dimensional galaxies and whole universes of
galaxies, star by star: fifty galaxy types, composite galaxies, comets,
ambient stars, gravity and a camera that tours the universe, all tuned in
its properties dialog.
.
It runs as a display mode of XScreenSaver, xfce4-screensaver and
mate-screensaver, in a window of its own, or as a saver started by any idle
tool.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_NAME orrelume)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orrelume.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its X11 platform plugin at run time, so no linked library names
# it: without it the program cannot open a window.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Only orrelume-render's videos and animations need it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "ffmpeg")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver | mate-screensaver | xfce4-screensaver")
include(CPack)
