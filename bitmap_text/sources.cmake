# Bitmap text and owner-drawn controls.
list(APPEND K7_PORTABLE_SOURCES
    bitmap_text/glyph_cell.cpp
    bitmap_text/text_walk.cpp
    bitmap_text/button_captions.cpp
    bitmap_text/owner_draw_geometry.cpp
)
list(APPEND K7_WIN32_SOURCES
    bitmap_text/bitmap_text_win32.cpp
    bitmap_text/owner_draw_win32.cpp
    bitmap_text/directory_chooser_win32.cpp
)
