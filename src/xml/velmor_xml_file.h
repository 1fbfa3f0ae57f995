// A source and sink of XML documents in a named file. Reading loads the
// whole file and parses it as a memory stream would; writing puts the
// document in a temporary file beside the target, which replaces the target
// only once it is complete, so a failed save leaves a previous file as it was.
#pragma once

#include <ovrabjt/ovrabjt.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file.h"
#include "platform/replacement_file.h"
#include "xml/ovra_parse_exception.h"
#include "xml/velmor_xml_data_stream.h"

namespace ovrabjt {

class VelmorXmlFile : public VelmorXmlDataStream {
 public:
  // The largest file read: over forty times the largest document the
  // module writes (the maximal ticket's, 1.55 MB), and refused at once, so
  // that a huge or sparse file costs neither its size in memory nor the
  // time to read it.
  static constexpr std::uint64_t kMaxFileSize = std::uint64_t{64} << 20;

  // The stream of the file `file_name` (null for none), its document called
  // `name` (null or empty for none). `calls` are the file system's, or a
  // test's stand-ins.
  VelmorXmlFile(DocumentKind kind, const char* file_name, const char* name = nullptr,
                const FileSystemCalls& calls = SystemFileCalls());
  ~VelmorXmlFile() override;

  // Read - reads the whole file and parses it (see the memory stream).
  // Raises code 16 without a file name; 15 (detail: the file name) when it
  // cannot be opened (a folder); 14 when its size cannot be read, it is no
  // regular file (a pipe, a device) or larger than kMaxFileSize; 13 when
  // there is no memory for it; 12 when reading fails or comes short; 8 for
  // an empty file. Nothing waits for a pipe's writer.
  void Read(AttrNodeList& list) override;

  // WriteList - writes the document to the file. Raises code 18 without a
  // file name; 17 (detail: the file name) when the file cannot be created
  // (or an existing one may not be written or replaced, or is a pipe
  // without a reader); 19 when writing or syncing fails; and the memory
  // stream's codes. On failure the file is as it was, unless only the sync
  // of the folder after the replacement failed (19).
  void WriteList(const AttrNodeList& list) override;

  // GetName - the stream's name, else the file name, else "XmlStream": a
  // file without a name resolves relative references beside itself.
  std::string GetName() const override;

  // The system's message for the last failed file operation, for
  // diagnostics; empty when none failed.
  const std::string& LastSystemError() const { return last_system_error_; }

 private:
  // The file's own output: writes each stretch to the open file and raises
  // code 19 itself when that fails, so it never refuses.
  class FileSink final : public XmlOutputCallback {
   public:
    explicit FileSink(VelmorXmlFile& owner) : owner_(owner) {}
    OvraBool Write(const char* bytes, uint32_t count) override;
    OvraBool Indent() override { return owner_.indent_ ? 1 : 0; }

   private:
    VelmorXmlFile& owner_;
  };

  // Remembers the system's message and raises `code`.
  [[noreturn]] void Fail(OvraErrorCode code, std::string system_message, std::string detail = {});
  void CommitOutput();

  FileSink sink_{*this};
  std::optional<std::string> file_name_;
  ReplacementFile open_file_;  // open only while a document is written
  bool indent_ = true;
  const FileSystemCalls* calls_;
  std::string last_system_error_;
};

}  // namespace ovrabjt
