#include "xml/velmor_xml_file.h"

#include <utility>

namespace ovrabjt {

VelmorXmlFile::VelmorXmlFile(DocumentKind kind, const char* file_name, const char* name,
                             const FileSystemCalls& calls)
    : VelmorXmlDataStream(kind, static_cast<XmlOutputCallback*>(nullptr), name),
      file_name_(file_name != nullptr ? std::optional<std::string>(file_name) : std::nullopt),
      calls_(&calls) {}

VelmorXmlFile::~VelmorXmlFile() = default;

std::string VelmorXmlFile::GetName() const {
  if (!OwnName().empty()) return OwnName();
  if (file_name_ && !file_name_->empty()) return *file_name_;
  return kDefaultName;
}

void VelmorXmlFile::Fail(OvraErrorCode code, std::string system_message, std::string detail) {
  last_system_error_ = std::move(system_message);
  throw OvraParseException(code, std::move(detail));
}

// The buffer is zero-filled, from the process heap, and lives until the
// parse is over; the input never points at it afterwards.
void VelmorXmlFile::Read(AttrNodeList& list) {
  if (!file_name_) throw OvraParseException(OvraErrorCode::kFileReadWithoutName);
  File file;
  std::optional<FileInfo> opened;
  if (std::error_code error = File::OpenForReading(*file_name_, file, *calls_, &opened)) {
    Fail(OvraErrorCode::kFileOpenFailed, error.message(), *file_name_);
  }
  FileInfo info;
  if (opened) {
    info = *opened;
  } else if (std::error_code error = file.Status(info)) {
    Fail(OvraErrorCode::kFileSizeFailed, error.message());
  }
  if (info.kind != FileKind::kRegular) {
    Fail(OvraErrorCode::kFileSizeFailed, "not a regular file: a pipe or a device has no size");
  }
  const std::uint64_t size = info.size;
  if (size > kMaxFileSize) {
    Fail(OvraErrorCode::kFileSizeFailed, "the file is larger than 64 MiB");
  }
  HeapBuffer buffer = AllocateZeroed(static_cast<std::size_t>(size), *calls_);
  if (!buffer) Fail(OvraErrorCode::kNoMemoryForFile, "no memory for the file's contents");
  std::size_t got = 0;
  if (std::error_code error = file.Read(buffer.get(), static_cast<std::size_t>(size), got)) {
    Fail(OvraErrorCode::kFileReadFailed, error.message());
  }
  if (got < size) Fail(OvraErrorCode::kFileReadFailed, "the file ended before its size");

  struct InputReset {
    VelmorXmlFile& stream;
    ~InputReset() { stream.SetInput(nullptr, 0); }
  } reset{*this};
  SetInput(buffer.get(), static_cast<std::uint32_t>(size));
  VelmorXmlDataStream::Read(list);
}

void VelmorXmlFile::WriteList(const AttrNodeList& list) {
  if (!file_name_) throw OvraParseException(OvraErrorCode::kFileWriteWithoutName);
  if (std::error_code error = open_file_.Begin(*file_name_, *calls_)) {
    Fail(OvraErrorCode::kFileCreateFailed, error.message(), *file_name_);
  }
  struct OutputReset {
    VelmorXmlFile& stream;
    ~OutputReset() { stream.SetOutput(nullptr); }
  } reset{*this};
  try {
    SetOutput(&sink_);
    VelmorXmlDataStream::WriteList(list);
    CommitOutput();
  } catch (...) {
    open_file_.Discard();
    throw;
  }
}

// The written file reaches the disk before it takes the target's place. A
// folder that cannot be synced afterwards fails the save as a file that
// cannot be synced does, though the new file is in place.
void VelmorXmlFile::CommitOutput() {
  if (std::error_code error = open_file_.Finish()) {
    Fail(OvraErrorCode::kFileWriteFailed, error.message());
  }
  if (std::error_code error = open_file_.PutInPlace()) {
    if (open_file_.Replaced()) Fail(OvraErrorCode::kFileWriteFailed, error.message());
    Fail(OvraErrorCode::kFileCreateFailed, error.message(), *file_name_);
  }
}

OvraBool VelmorXmlFile::FileSink::Write(const char* bytes, uint32_t count) {
  if (std::error_code error = owner_.open_file_.Write(bytes, count)) {
    owner_.Fail(OvraErrorCode::kFileWriteFailed, error.message());
  }
  return 1;
}

}  // namespace ovrabjt
