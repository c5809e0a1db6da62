# The Debian package: `cpack -G DEB` in a build configured for the prefix the
# package installs to (scripts/package does both), so that the data directory
# compiled into the game is the one the package fills.
set(CPACK_PACKAGE_NAME mascot-race)
set(CPACK_PACKAGE_VENDOR "Mascot Race Team")
set(CPACK_PACKAGE_CONTACT "Mascot Race Team <team@mascot-race.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bet on a race of six mascots")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Mascot Race Team <team@mascot-race.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# CPack puts the summary first and indents the lines; an empty line parts paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "こまめ堂マスコットレース (Mascot Race) is a small betting game that speaks
Japanese or English, as the desktop does. Six mascot runners race from right
to left towards a goal line; choose a race to see the odds, pick a lane and a
stake, and start the race.
A winning lane pays the stake times its odds, in the game's own money.

Beside the track the chat mascot Komame bets from its own purse, comments,
tells fortunes and walks you through the game. Your purse is kept between
games.")
# The libraries come from the executable and its plugins themselves; what
# Qt loads or the game draws with is named here. Qt needs its platform
# plugins to open a window at all, the records need the SQLite driver of Qt
# SQL, and the window draws with Japanese fonts in either language: the IPA
# Gothic the layout is drawn for, or Noto Sans CJK, whose taller lines and
# wider letters make some captions a little smaller so that they fit.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite, fonts-ipafont-gothic | fonts-noto-cjk")
# Without a General MIDI sound font the race is silent but plays; the brush
# and Mincho captions fall back to the Gothic font; Qt's own few texts stay
# in English without its translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-mincho, timgm6mb-soundfont | sf2-soundfont-gm, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")

include(CPack)
