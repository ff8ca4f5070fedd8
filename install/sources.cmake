# Installation engine.
list(APPEND K7_PORTABLE_SOURCES
    install/inflate_span.cpp
    install/bounded_path.cpp
)
list(APPEND K7_WIN32_SOURCES
    install/payload_win32.cpp
)
