# The game's version, for the desktop and web builds alike.
set(REEF_VERSION 0.1.0)
