# The Debian package, made by `cpack -G DEB` in any build folder
# (scripts/package makes a Release build for it). It holds exactly what
# `cmake --install` lays out, always under /usr whatever prefix the build
# was configured for; the dependencies on shared libraries are computed by
# dpkg-shlibdeps from the programs themselves.

set(CPACK_PACKAGE_NAME tessaro)
set(CPACK_PACKAGE_VENDOR Brasmoor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Brasmoor <tessaro@brasmoor.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "password generator working from masks")
set(CPACK_PACKAGE_HOMEPAGE_URL ${TESSARO_SITE_URL})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

# The Debian revision: the package's history is changelog.Debian, whose
# newest entry has this version.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # tessaro_1.1.3-1_amd64.deb
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own translations: in a chosen language the standard buttons and the
# file dialog speak it too (without them they stay English).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
# The X11 platform plug-in, the image formats and the sound back-ends come
# with the libraries themselves. wl-copy keeps a password on the clipboard
# on Wayland (`tessaro MASK`), and the Wayland plug-in lets the window run
# there without XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "wl-clipboard, qt6-wayland")
# The long description, below the summary line; CPack indents it and turns
# the empty lines into " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tessaro makes passwords from masks. In a mask, five symbols stand for a
random upper-case letter, lower-case letter, digit, special character and
an incrementing number; every other character is copied, so Xxxx-####-@@@@
gives passwords of one fixed shape.

The window makes one password or a million at a time without duplicates,
draws from built-in ranges or from character classes you edit, keeps a list
of favourite masks, copies passwords to the clipboard and saves them as text
or CSV files. `tessaro MASK` puts one password on the clipboard without
opening the window, and tessaro-cli writes any number of them for scripts.

Passwords come from a cryptographically secure random source.")

include(CPack)
