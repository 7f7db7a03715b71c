# cpack makes a Debian package of what `cmake --install` puts under /usr. The libraries the
# programs link come from dpkg-shlibdeps (libqt6gui6 holds the X11 platform plugin too).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quexa)
set(CPACK_PACKAGE_VERSION 1.03)
set(CPACK_PACKAGE_VENDOR Morvane)
set(CPACK_PACKAGE_CONTACT "Quexa maintainers <quexa@morvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "metasearch of many web search engines and file search")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quexa fills one result list three ways: an Internet metasearch over many web search\n\
 engines at once, a search of local folders and network shares for files matching\n\
 wildcard patterns, and free editing. Results are verified, edited, saved as\n\
 password-guarded result files and exported. quexa-cli does the same from scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Wayland desktops, https engines, and opening locations in the desktop's programs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, ca-certificates, xdg-utils")
# nmcli, for hanging up dial-up connections after a task.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "network-manager")
include(CPack)
