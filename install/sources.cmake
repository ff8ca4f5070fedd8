# Installation engine.
list(APPEND K7_PORTABLE_SOURCES
    install/change_record.cpp
    install/disk_room.cpp
    install/kept_copies.cpp
    install/manifest_walk.cpp
    install/stale_dictionaries.cpp
)
list(APPEND K7_WIN32_SOURCES
    install/file_transaction_win32.cpp
    install/files_in_use_win32.cpp
    install/installation_run_win32.cpp
    install/installer_file_check_win32.cpp
    install/payload_win32.cpp
    install/word_base_win32.cpp
)
