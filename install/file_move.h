// How the file writer (install/payload_win32.cpp) moves a payload file's new copy into its place:
// with the system's MoveFileA. Defined here, where the compiler sees that every move is that one.
// A test build whose writes go wrong on demand compiles the writer with its own file of this name
// found first on its include path (tests/win32/variants/faulty/install/file_move.h).
#pragma once

#include "common/file_replace.h"
#include "install/install_manifest.h"

// The move that puts the new copy of `row`'s file in its place.
inline FileMove MoveFor(const ManifestRow&) { return MoveFileA; }
