# SPDX-License-Identifier: MIT
# The software centre's entry and the Debian package (scripts/package). The package holds whatever
# cmake --install installs; CPack stages it under /usr with DESTDIR, so the menu entry names the
# program at its final place.

# A software centre takes screenshots from the web only. Without the address where
# resources/screenshot-hosts.png is published, the entry goes without one.
set(MORVANE_SCREENSHOT_URL "" CACHE STRING
    "http(s) address of resources/screenshot-hosts.png as published, for the software centre's entry")
set(MORVANE_SCREENSHOTS "")
if(MORVANE_SCREENSHOT_URL)
    if(NOT MORVANE_SCREENSHOT_URL MATCHES "^https?://[^][ \t<>&\"'`{}|\\^]+$")
        message(FATAL_ERROR "MORVANE_SCREENSHOT_URL is not a plain http or https address: ${MORVANE_SCREENSHOT_URL}")
    endif()
    string(CONCAT MORVANE_SCREENSHOTS
        "<screenshots>\n"
        "    <screenshot type=\"default\">\n"
        "      <caption>The host tab: favourite hosts and what the status check found</caption>\n"
        "      <caption xml:lang=\"ja\">ホストタブ：お気に入りのホストと稼働状況</caption>\n"
        "      <image type=\"source\" width=\"394\" height=\"464\">${MORVANE_SCREENSHOT_URL}</image>\n"
        "    </screenshot>\n"
        "  </screenshots>")
endif()
configure_file(resources/org.morvane.morvane.metainfo.xml.in org.morvane.morvane.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/org.morvane.morvane.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The Maintainer field: -DMORVANE_PACKAGE_MAINTAINER, else Debian's variables for whoever builds
# the package, read at every configure; nobody else can be named truthfully.
set(MORVANE_PACKAGE_MAINTAINER "" CACHE STRING "The Debian package's Maintainer field (default: DEBFULLNAME <DEBEMAIL>)")
set(maintainer "${MORVANE_PACKAGE_MAINTAINER}")
if(NOT maintainer AND DEFINED ENV{DEBEMAIL})
    string(STRIP "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>" maintainer)
elseif(NOT maintainer)
    set(maintainer "Morvane developers")
endif()

# What scripts/package builds: the targets of the top folder and of src/, not the stand-in programs
# and benchmarks. Collected when the top folder has been read to its end, so that a target made
# after this file was included counts too.
function(morvane_shipped_targets dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    set(found "")
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(NOT type MATCHES "^(INTERFACE_LIBRARY|UTILITY)$")
            list(APPEND found ${target})
        endif()
    endforeach()
    set(src ${PROJECT_SOURCE_DIR}/src)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(sub IN LISTS subdirs)
        cmake_path(IS_PREFIX src "${sub}" in_src)
        if(in_src)
            morvane_shipped_targets(${sub} more)
            list(APPEND found ${more})
        endif()
    endforeach()
    set(${out} ${found} PARENT_SCOPE)
endfunction()
function(morvane_add_package_parts)
    morvane_shipped_targets(${PROJECT_SOURCE_DIR} shipped)
    add_custom_target(morvane_package_parts)
    add_dependencies(morvane_package_parts ${shipped})
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL morvane_add_package_parts)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${maintainer}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "companion for Ghost Recon players: hosts, game start, mods")
# The control file has one description, in English with a short paragraph in Japanese (the whole
# text in both is in the software centre's entry). Lines are broken by hand: apt shows them as they are.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Morvane keeps up to 50 favourite Ghost Recon hosts and checks them in the\n"
    "background with the query program qstat. It starts the game (joining a host,\n"
    "creating one, or a dedicated host that restarts by itself; through Wine on\n"
    "Linux), turns the game's mods on and off and sets their order, edits the\n"
    "game's options and quick-chat messages, replaces its music files keeping\n"
    "backups, and shows its screenshots. The user interface is in Japanese.\n"
    "\n"
    "モルベーンは Ghost Recon のホストの確認、ゲームの起動、MODの管理を行う\n"
    "日本語のツールです。")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, loaded at run time: without a platform plugin no window opens (libqt6gui6 only
# recommends them).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The query program, Qt's Japanese dialog buttons and a Japanese font the interface asks for first.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qstat, qt6-translations-l10n, fonts-ipafont-gothic | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS wine)
set(CPACK_STRIP_FILES ON)
include(CPack)
