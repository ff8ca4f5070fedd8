# What every subsystem uses: process-wide values, bounded paths, file attributes, the message
# catalogue and the notice sink, and the reading of payload resources.
list(APPEND K7_PORTABLE_SOURCES
    common/bounded_path.cpp
    common/inflate_span.cpp
    common/payload_record.cpp
)
list(APPEND K7_WIN32_SOURCES
    common/installer_state_win32.cpp
    common/file_attributes_win32.cpp
    common/payload_resource_win32.cpp
    common/file_replace_win32.cpp
    common/plain_files_win32.cpp
    common/procedure_as_seen_win32.cpp
    common/system_libraries_win32.cpp
    common/wide_paths_win32.cpp
    common/step_times_win32.cpp
    common/notices_win32.cpp
)
