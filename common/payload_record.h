// The payload record: what the build measured of every payload stream, so that the Installer can
// tell a damaged or cut copy of itself before it writes anything.
//
// Record format. One resource of the standard type RCDATA with the id kPayloadRecordId, built by
// tools/pack_payload beside the streams it packs. All numbers little-endian:
//   bytes 0-3    "K7PR"
//   bytes 4-7    N, the number of rows: one for every "TEXT" resource of the Installer
//   bytes 8-15   the sum of the N inflated sizes
//   16 + 16 * i  row i: resource id (2 bytes), 2 zero bytes, the stream's length in bytes (4),
//                the CRC-32 of the stream's bytes as stored (4), the size it inflates to (4)
//   last 4 bytes the CRC-32 of every byte before them
// A record of any other length, or whose last four bytes do not match, is damaged.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint16_t kPayloadRecordId = 1;
constexpr size_t kPayloadRecordHeader = 16;
constexpr size_t kPayloadRecordRowSize = 16;

struct PayloadRecordRow {
  uint16_t resourceId;
  uint32_t streamLength;
  uint32_t streamCrc;
  uint32_t inflatedSize;
};

// A record read in place; valid while its bytes are.
struct PayloadRecord {
  const unsigned char* bytes = nullptr;
  uint32_t rows = 0;
  uint64_t inflatedTotal = 0;
};

// Reads the record of `size` bytes; false when it is damaged (see the format above).
bool ReadPayloadRecord(const void* bytes, size_t size, PayloadRecord* record);

// Row `index` (below record.rows) of a record that ReadPayloadRecord accepted.
PayloadRecordRow PayloadRecordRowAt(const PayloadRecord& record, uint32_t index);

// The row of `resourceId`; false when the record has none.
bool FindPayloadRecordRow(const PayloadRecord& record, uint16_t resourceId, PayloadRecordRow* row);

// The CRC-32 (zlib's) of `length` bytes.
uint32_t PayloadCrc(const void* bytes, size_t length);

// The size of a record of `rows` rows, and the record itself written into `out` (that size):
// the header, the rows in the order given and the closing CRC-32.
constexpr size_t PayloadRecordSize(uint32_t rows) {
  return kPayloadRecordHeader + kPayloadRecordRowSize * rows + 4;
}
void WritePayloadRecord(const PayloadRecordRow* rows, uint32_t count, unsigned char* out);
