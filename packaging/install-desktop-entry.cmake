# Run at install time: writes the menu entry with the full path of the
# installed game, since /usr/games is not on every session's search path
# (systemd's default has no games folder). The prefix is the one installed to,
# which CPack sets to the package's, so the path is right in both.
#   KASHIKORO_DESKTOP_IN  the entry with @KASHIKORO_GAME@ for the program
#   KASHIKORO_GAME_REL    the program under the prefix (games/kashikoro)
#   KASHIKORO_DESKTOP_REL where the entry goes under the prefix
set(KASHIKORO_GAME "${CMAKE_INSTALL_PREFIX}/${KASHIKORO_GAME_REL}")
set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${KASHIKORO_DESKTOP_REL}")
message(STATUS "Installing: ${entry}")
configure_file("${KASHIKORO_DESKTOP_IN}" "${entry}" @ONLY)
