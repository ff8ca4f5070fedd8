# Installation engine.
list(APPEND K7_PORTABLE_SOURCES
    install/stale_dictionaries.cpp
)
list(APPEND K7_WIN32_SOURCES
    install/payload_win32.cpp
    install/word_base_win32.cpp
)
