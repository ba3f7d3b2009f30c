# The Debian package, made by CPack's DEB generator from what the install step puts in place.
# scripts/package configures with the prefix /usr and the programs in games/, then runs cpack.

set(KELVORE_MAINTAINER "Kelvore developers <kelvore@users.noreply.invalid>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvore)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kelvore developers")
set(CPACK_PACKAGE_CONTACT ${KELVORE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shogi with the drunk elephant and the crown prince")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KELVORE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The libraries come from the programs themselves; the rest is what they load at run time:
# the Japanese faces (the pieces are written with the brush font) and Qt's Japanese button
# texts. Qt Multimedia's plugins are in libqt6multimedia6, which the programs link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, fonts-kouzan-mouhitsu, qt6-translations-l10n")
# Sound reaches the speakers through a PulseAudio server (PipeWire provides one).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pipewire-pulse | pulseaudio")
# CPack puts the summary above this as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Kelvore is shogi, Japanese chess, on a 9 x 9 board where each side also has
a drunk elephant in front of its king. The elephant promotes to the crown
prince, a second royal piece: a side loses when it has no royal piece left
or when its last one is mated.
.
Play against the computer or between two people on one screen; keep and
replay game records. The game is written in Japanese. The package also
holds kelvore-usi, the game's rules and computer player behind the USI
protocol.")

include(CPack)
