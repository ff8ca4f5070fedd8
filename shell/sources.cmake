# Shell integration and configuration.
list(APPEND K7_PORTABLE_SOURCES
    shell/product_variant.cpp
    shell/shell_paths.cpp
    shell/ui_config_edit.cpp
)
list(APPEND K7_WIN32_SOURCES
    shell/shell_links_win32.cpp
    shell/ui_config_win32.cpp
)
