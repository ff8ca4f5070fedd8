# Bitmap text and owner-drawn controls.
list(APPEND K7_PORTABLE_SOURCES
)
list(APPEND K7_WIN32_SOURCES
)
