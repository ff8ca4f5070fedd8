# Shell integration and configuration.
list(APPEND K7_PORTABLE_SOURCES
    shell/ui_config_edit.cpp
)
list(APPEND K7_WIN32_SOURCES
    shell/ui_config_win32.cpp
)
