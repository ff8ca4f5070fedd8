// The payload record: reading, writing and the CRC-32 of streams.
#include "common/payload_record.h"

#include <zlib.h>

namespace {

uint32_t Read32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void Write32(unsigned char* p, uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace

uint32_t PayloadCrc(const void* bytes, size_t length) {
  // crc32_z takes any length; the record's streams stay far below 4 GiB anyway.
  return static_cast<uint32_t>(
      crc32_z(crc32_z(0, nullptr, 0), static_cast<const Bytef*>(bytes), length));
}

bool ReadPayloadRecord(const void* bytes, size_t size, PayloadRecord* record) {
  const auto* p = static_cast<const unsigned char*>(bytes);
  if (p == nullptr || size < PayloadRecordSize(0)) return false;
  if (p[0] != 'K' || p[1] != '7' || p[2] != 'P' || p[3] != 'R') return false;
  const uint32_t rows = Read32(p + 4);
  if (rows > (size - PayloadRecordSize(0)) / kPayloadRecordRowSize) return false;
  if (size != PayloadRecordSize(rows)) return false;
  if (PayloadCrc(p, size - 4) != Read32(p + size - 4)) return false;
  record->bytes = p;
  record->rows = rows;
  record->inflatedTotal = Read32(p + 8) | static_cast<uint64_t>(Read32(p + 12)) << 32;
  return true;
}

PayloadRecordRow PayloadRecordRowAt(const PayloadRecord& record, uint32_t index) {
  const unsigned char* p = record.bytes + kPayloadRecordHeader + kPayloadRecordRowSize * index;
  return PayloadRecordRow{static_cast<uint16_t>(p[0] | p[1] << 8), Read32(p + 4), Read32(p + 8),
                          Read32(p + 12)};
}

bool FindPayloadRecordRow(const PayloadRecord& record, uint16_t resourceId, PayloadRecordRow* row) {
  for (uint32_t i = 0; i < record.rows; ++i) {
    PayloadRecordRow candidate = PayloadRecordRowAt(record, i);
    if (candidate.resourceId == resourceId) {
      *row = candidate;
      return true;
    }
  }
  return false;
}

void WritePayloadRecord(const PayloadRecordRow* rows, uint32_t count, unsigned char* out) {
  uint64_t total = 0;
  for (uint32_t i = 0; i < count; ++i) total += rows[i].inflatedSize;
  out[0] = 'K', out[1] = '7', out[2] = 'P', out[3] = 'R';
  Write32(out + 4, count);
  Write32(out + 8, static_cast<uint32_t>(total));
  Write32(out + 12, static_cast<uint32_t>(total >> 32));
  for (uint32_t i = 0; i < count; ++i) {
    unsigned char* p = out + kPayloadRecordHeader + kPayloadRecordRowSize * i;
    p[0] = static_cast<unsigned char>(rows[i].resourceId);
    p[1] = static_cast<unsigned char>(rows[i].resourceId >> 8);
    p[2] = p[3] = 0;
    Write32(p + 4, rows[i].streamLength);
    Write32(p + 8, rows[i].streamCrc);
    Write32(p + 12, rows[i].inflatedSize);
  }
  const size_t body = PayloadRecordSize(count) - 4;
  Write32(out + body, PayloadCrc(out, body));
}
