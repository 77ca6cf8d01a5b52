# Names shared by the program, its desktop files and its packages, and the
# package settings. The top CMakeLists includes CPack once, after every
# platform's settings are in.

# The author's web site, and the program's id made from it in reverse order:
# the name of the desktop entry, the AppStream metadata and the theme icon.
set(QUORVEL_HOMEPAGE "http://www.veskard.example")
set(QUORVEL_APP_ID "example.veskard.Quorvel")

set(CPACK_PACKAGE_VENDOR "Veskard")
set(CPACK_PACKAGE_CONTACT "Veskard <veskard@veskard.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "${QUORVEL_HOMEPAGE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "decode escaped redirect links into plain URLs")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvel turns a redirect link whose real target hides, percent-escaped, in an
action= parameter into the plain URL. Paste, type or drag the link into its
window; the result opens in the default browser or goes to the clipboard.

The command-line filter quorvel-translate decodes such links line by line.")

if(NOT WIN32)
    set(CPACK_GENERATOR DEB)
    set(CPACK_STRIP_FILES ON)
    set(CPACK_DEBIAN_PACKAGE_NAME quorvel)
    set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
    # Debian wants its own change log in the package, but a plain
    # `cmake --install` has no use for it: only CPack's staging runs this.
    set(CPACK_INSTALL_SCRIPTS "${PROJECT_SOURCE_DIR}/packaging/linux/DebianChangelog.cmake")
endif()
