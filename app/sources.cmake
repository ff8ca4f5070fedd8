# Start-up and wizard UI.
list(APPEND K7_PORTABLE_SOURCES
    app/message_layout.cpp
)
list(APPEND K7_WIN32_SOURCES
    app/installer_state.cpp
    app/message_dialog_win32.cpp
)
