// Payload resources: the files embedded in the Installer and their inflation by resource id.
//
// Payload format. Every file that the Installer installs is one Win32 resource of the type
// named "TEXT" (a string type name) with an integer id. Its bytes are exactly one zlib stream
// (RFC 1950: two-byte header, deflate data, Adler-32 trailer) holding the whole file, nothing
// before or after it. There is no header of the Installer's own: no name, no size, no attributes.
// The build writes every stream with libdeflate at its highest level, with the header bytes 0x78
// 0xDA (the slowest, smallest compression); the reader takes any valid zlib stream. The inflated
// size is not stored in the resource: the reader inflates into a buffer of a capacity chosen by
// the caller and learns the real length from the inflater (libdeflate's, common/inflate_span.h);
// the payload record (common/payload_record.h) checks it against the build's. File names and
// attributes come from the manifest (install/install_manifest.h), never from the resource. The
// resource language is not significant; lookup is by type and id alone.
//
// Capacities in use: kPayloadBufferCapacity (0x3000000) for the installation run, 307,200 bytes
// for the glyph sheets and 65,536 bytes for each licence text.
#pragma once

#include <cstdint>

// The bytes of the resource `name` of `type` in the Installer's own module and their count in
// `*size`, or null when it is not there.
const void* OwnResourceBytes(const char* name, const char* type, uint32_t* size);

// Inflates the "TEXT" resource `resourceId` of the Installer's own module into `buffer`
// (`capacity` bytes). Returns true and the inflated length in `*length`, or false for a
// missing resource, a damaged stream or output longer than the capacity.
bool DecompressPayload(uint16_t resourceId, void* buffer, uint32_t capacity, uint32_t* length);
