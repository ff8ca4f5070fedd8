// Host tool: deflates the payload folder's files (libdeflate, level 12, zlib streams) and writes
// the resource-script lines, with the payload record (common/payload_record.h) of the streams.
// It runs in every build and packs only what changed: a stream that inflates to its file's
// bytes is kept, and the resource script is rewritten only when a stream or the record was, so
// that the build compiles the resources again exactly when the payload changed.
//
// Usage: pack_payload [--zlib-level-9] SOURCE_DIR OUT_DIR RC_FILE
// --zlib-level-9 deflates with zlib instead, for the download-size benchmark only.
// Every manifest row's file must be in SOURCE_DIR and inflate within the installation buffer;
// a missing or oversized file stops the build with a message naming it. The six unlisted
// resources are taken from "unlisted_<id>.bin" when present and packed empty otherwise: the
// Installer neither installs nor reads them.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <zlib.h>

#include "common/payload_record.h"
#include "install/install_manifest.h"
#include "tools/zlib_file.h"

namespace {

Deflater deflater = Deflater::kLibdeflate12;
// False when the streams in the output folder were deflated by the other deflater: then every
// stream is deflated anew, though it inflates to its file.
bool keepStreams = true;
// The resource script of the last finished packing. It goes before the first stream or record
// is rewritten, so that a packer stopped part-way leaves no script beside the new streams and
// the next build writes it again and compiles the resources, rather than shipping the old ones.
std::string scriptPath;

void ForgetScriptBeforeWriting() {
  if (scriptPath.empty()) return;
  remove(scriptPath.c_str());
  scriptPath.clear();
}

// What the packer read of one source file, to tell afterwards whether it changed meanwhile.
struct SourceState {
  std::string path;
  bool exists;
  off_t size;
  struct timespec modified;
};

SourceState StateOf(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return {path, false, 0, {}};
  return {path, true, st.st_size, st.st_mtim};
}

bool SameState(const SourceState& a, const SourceState& b) {
  return a.exists == b.exists && a.size == b.size &&
         a.modified.tv_sec == b.modified.tv_sec && a.modified.tv_nsec == b.modified.tv_nsec;
}

// True when the stream at `path` inflates to exactly `data`: then it is kept as it is, and the
// build that includes it has nothing to redo for it.
bool StreamHolds(const std::string& path, const std::vector<unsigned char>& data) {
  std::vector<unsigned char> stream;
  if (!ReadWholeFile(path, &stream) || stream.size() < 2) return false;
  std::vector<unsigned char> inflated(data.size() + 1);
  uLongf length = inflated.size();
  return uncompress(inflated.data(), &length, stream.data(), stream.size()) == Z_OK &&
         length == data.size() && std::equal(data.begin(), data.end(), inflated.begin());
}

// Writes `bytes` as `path` unless the file holds them already; through a temporary file renamed
// into place, so that a stopped build leaves the old file or the new one. Sets `*changed` when
// it wrote.
bool WriteIfChanged(const std::string& path, const std::vector<unsigned char>& bytes,
                    bool* changed) {
  std::vector<unsigned char> old;
  if (ReadWholeFile(path, &old) && old == bytes) return true;
  ForgetScriptBeforeWriting();
  std::string temporary = path + ".tmp";
  if (!WriteWholeFile(temporary, bytes) || rename(temporary.c_str(), path.c_str()) != 0) {
    remove(temporary.c_str());
    return false;
  }
  *changed = true;
  return true;
}

bool PackOne(uint16_t id, const std::string& source, bool mustExist, const std::string& outDir,
             FILE* rc, std::vector<PayloadRecordRow>* record, std::vector<SourceState>* read,
             bool* changed) {
  struct stat st;
  std::vector<unsigned char> data;
  read->push_back(StateOf(source));
  if (stat(source.c_str(), &st) != 0) {
    if (mustExist) {
      fprintf(stderr, "pack_payload: payload file missing: %s\n", source.c_str());
      return false;
    }
  } else {
    if (!S_ISREG(st.st_mode)) {
      fprintf(stderr, "pack_payload: payload path is not a file: %s\n", source.c_str());
      return false;
    }
    if (static_cast<unsigned long long>(st.st_size) > kPayloadBufferCapacity) {
      fprintf(stderr, "pack_payload: payload file too large (%lld bytes, limit %u): %s\n",
              static_cast<long long>(st.st_size), kPayloadBufferCapacity, source.c_str());
      return false;
    }
    if (!ReadWholeFile(source, &data)) {
      fprintf(stderr, "pack_payload: cannot read %s: %s\n", source.c_str(), strerror(errno));
      return false;
    }
  }
  std::string out = outDir + "/" + std::to_string(id) + ".z";
  if (!keepStreams || !StreamHolds(out, data)) {
    ForgetScriptBeforeWriting();
    std::string temporary = out + ".tmp";
    if (!WriteZlibFile(temporary, data, deflater) || rename(temporary.c_str(), out.c_str()) != 0) {
      remove(temporary.c_str());
      fprintf(stderr, "pack_payload: cannot write %s\n", out.c_str());
      return false;
    }
    *changed = true;
  }
  std::vector<unsigned char> stream;
  if (!ReadWholeFile(out, &stream)) {
    fprintf(stderr, "pack_payload: cannot read back %s\n", out.c_str());
    return false;
  }
  record->push_back(PayloadRecordRow{id, static_cast<uint32_t>(stream.size()),
                                     PayloadCrc(stream.data(), stream.size()),
                                     static_cast<uint32_t>(data.size())});
  fprintf(rc, "%u TEXT \"%s\"\n", id, out.c_str());
  return true;
}

// Writes the record of the packed streams and its resource line.
bool WriteRecord(const std::vector<PayloadRecordRow>& rows, const std::string& outDir, FILE* rc,
                 bool* changed) {
  std::vector<unsigned char> record(PayloadRecordSize(static_cast<uint32_t>(rows.size())));
  WritePayloadRecord(rows.data(), static_cast<uint32_t>(rows.size()), record.data());
  std::string out = outDir + "/payload_record.bin";
  if (!WriteIfChanged(out, record, changed)) {
    fprintf(stderr, "pack_payload: cannot write %s\n", out.c_str());
    return false;
  }
  fprintf(rc, "%u RCDATA \"%s\"\n", kPayloadRecordId, out.c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && strcmp(argv[1], "--zlib-level-9") == 0) {
    deflater = Deflater::kZlib9;
    --argc;
    ++argv;
  }
  if (argc != 4) {
    fprintf(stderr, "usage: pack_payload [--zlib-level-9] SOURCE_DIR OUT_DIR RC_FILE\n");
    return 2;
  }
  std::string sourceDir = argv[1], outDir = argv[2], rcPath = argv[3];
  scriptPath = rcPath;
  mkdir(outDir.c_str(), 0755);
  std::string rcTemp = rcPath + ".tmp";
  FILE* rc = fopen(rcTemp.c_str(), "w");
  if (rc == nullptr) {
    fprintf(stderr, "pack_payload: cannot write %s\n", rcTemp.c_str());
    return 1;
  }
  fprintf(rc,
          "// Generated by pack_payload from %s: one zlib stream per TEXT resource, and the "
          "payload record.\n",
          "the payload folder");
  bool ok = true;
  bool changed = false;
  // Which deflater wrote the streams, recorded beside them.
  const std::string deflaterName = deflater == Deflater::kZlib9 ? "zlib 9\n" : "libdeflate 12\n";
  const std::vector<unsigned char> deflaterMark(deflaterName.begin(), deflaterName.end());
  std::vector<unsigned char> recordedMark;
  keepStreams = ReadWholeFile(outDir + "/deflater.txt", &recordedMark) &&
                recordedMark == deflaterMark;
  std::vector<PayloadRecordRow> record;
  std::vector<SourceState> read;
  for (const ManifestRow& row : kInstallManifest)
    ok = ok && PackOne(row.resourceId, sourceDir + "/" + row.fileName, true, outDir, rc, &record,
                       &read, &changed);
  for (uint16_t id : kUnlistedPayloadIds)
    ok = ok && PackOne(id, sourceDir + "/unlisted_" + std::to_string(id) + ".bin", false, outDir,
                       rc, &record, &read, &changed);
  ok = ok && WriteRecord(record, outDir, rc, &changed);
  bool markChanged = false;
  ok = ok && WriteIfChanged(outDir + "/deflater.txt", deflaterMark, &markChanged);
  if (fclose(rc) != 0) ok = false;
  // A folder that changed while it was packed would give an Installer of files from two states.
  for (size_t i = 0; ok && i < read.size(); ++i) {
    if (!SameState(read[i], StateOf(read[i].path))) {
      fprintf(stderr, "pack_payload: %s changed while the payload was packed; build again\n",
              read[i].path.c_str());
      ok = false;
    }
  }
  // A failed packing leaves no resource script, so that no build takes the streams of an
  // earlier state for this one.
  if (!ok) {
    remove(rcTemp.c_str());
    remove(rcPath.c_str());
    return 1;
  }
  // The resource script changes whenever a stream or the record did, so that the resources are
  // compiled again; otherwise it is left as it is and nothing is rebuilt.
  std::vector<unsigned char> oldScript, newScript;
  const bool sameScript = ReadWholeFile(rcPath, &oldScript) && ReadWholeFile(rcTemp, &newScript) &&
                          oldScript == newScript;
  if (sameScript && !changed) {
    remove(rcTemp.c_str());
    return 0;
  }
  if (rename(rcTemp.c_str(), rcPath.c_str()) != 0) {
    fprintf(stderr, "pack_payload: cannot write %s\n", rcPath.c_str());
    return 1;
  }
  return 0;
}
