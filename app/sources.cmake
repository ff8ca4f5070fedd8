# Start-up and wizard UI.
list(APPEND K7_PORTABLE_SOURCES
    app/command_line.cpp
    app/licence_text.cpp
    app/message_layout.cpp
    app/system_environment.cpp
    app/wizard_pages.cpp
)
list(APPEND K7_WIN32_SOURCES
    app/install_folder_win32.cpp
    app/licence_pages_win32.cpp
    app/message_dialog_win32.cpp
    app/silent_install_win32.cpp
    app/startup_win32.cpp
    app/wizard_dialog_win32.cpp
)
