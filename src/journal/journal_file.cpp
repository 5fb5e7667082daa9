#include "journal/journal_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "journal/journal_layout.h"
#include "platform/file.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Builds the journal's bytes in memory; each piece throws std::bad_alloc.
class Builder {
 public:
  void U32(uint32_t value) {
    unsigned char bytes[4];
    riff_PutU32(bytes, value);
    out_.insert(out_.end(), bytes, bytes + 4);
  }
  void Raw(const void* data, size_t size) {
    const unsigned char* at = static_cast<const unsigned char*>(data);
    out_.insert(out_.end(), at, at + size);
  }
  void Text(const std::string& text) {
    U32(static_cast<uint32_t>(text.size()));
    Raw(text.data(), text.size());
  }
  // Opens a chunk; Close fills in its size and pads it.
  size_t Open(RiffId id) {
    U32(id);
    U32(0);
    return out_.size();
  }
  void Close(size_t start) {
    riff_PutU32(out_.data() + start - 4, static_cast<uint32_t>(out_.size() - start));
    if ((out_.size() - start) % 2 != 0) out_.push_back(0);
  }
  void TextChunk(RiffId id, const std::string& text) {
    size_t start = Open(id);
    Raw(text.data(), text.size());
    Close(start);
  }
  Bytes& Get() { return out_; }

 private:
  Bytes out_;
};

int32_t WriteWhole(const char* path, const Bytes& bytes) {
  std::string temporary;
  try {
    temporary = std::string(path) + ".tmp";
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  int32_t status = 0;
  {
    ScopedFile file;
    status = File_Open(temporary.c_str(), kFileWrite, kShareNone, FileCreate::CreateAlways, 0, file.Out());
    for (size_t at = 0; status == 0 && at < bytes.size();) {
      uint32_t piece = static_cast<uint32_t>(std::min<size_t>(bytes.size() - at, 1u << 20));
      uint32_t done = 0;
      status = File_Write(file.Get(), bytes.data() + at, piece, &done);
      if (status == 0 && done != piece) status = E_RIFF_WRITE;
      at += piece;
    }
    if (status == 0) status = File_Flush(file.Get());
  }
  if (status == 0) status = File_Replace(temporary.c_str(), path);
  if (status != 0) File_Delete(temporary.c_str());
  return status;
}

// A chunk's bytes, read whole and taken apart with bounds checks.
class Reader {
 public:
  Reader(const unsigned char* data, size_t size) : at_(data), end_(data + size) {}
  bool U32(uint32_t* value) {
    if (end_ - at_ < 4) return false;
    *value = riff_GetU32(at_);
    at_ += 4;
    return true;
  }
  bool Text(std::string* text) {
    uint32_t length = 0;
    if (!U32(&length) || length > kJournalMaxText || static_cast<size_t>(end_ - at_) < length) return false;
    text->assign(reinterpret_cast<const char*>(at_), length);
    at_ += length;
    return IsText(*text);
  }
  void Rest(std::vector<unsigned char>* bytes) {
    bytes->assign(at_, end_);
    at_ = end_;
  }
  static bool IsText(const std::string& text) { return text.find('\0') == std::string::npos; }

 private:
  const unsigned char* at_;
  const unsigned char* end_;
};

struct Counts {
  uint32_t items, values, files, keys, folders;
};

int32_t ParseChunk(RiffId id, const Bytes& data, const Counts& counts, Journal* journal) {
  Reader reader(data.data(), data.size());
  uint32_t present = 0;
  if (id == kJournalItem || id == kJournalCreatedKey || id == kJournalCreatedFolder) {
    if (data.size() > kJournalMaxText) return E_PACKAGE_FORMAT;
    std::string text(data.begin(), data.end());
    if (!Reader::IsText(text)) return E_PACKAGE_FORMAT;
    std::vector<std::string>& list = id == kJournalItem         ? journal->items
                                     : id == kJournalCreatedKey ? journal->createdKeys
                                                                : journal->createdFolders;
    uint32_t limit = id == kJournalItem ? counts.items : id == kJournalCreatedKey ? counts.keys : counts.folders;
    if (list.size() >= limit) return E_PACKAGE_FORMAT;
    list.push_back(std::move(text));
    return 0;
  }
  if (id == kJournalValue) {
    if (journal->values.size() >= counts.values) return E_PACKAGE_FORMAT;
    JournalValue value;
    if (!reader.U32(&value.item) || !reader.U32(&present) || !reader.U32(&value.type) || !reader.Text(&value.key) ||
        !reader.Text(&value.name) || value.item >= counts.items || present > 1) {
      return E_PACKAGE_FORMAT;
    }
    value.present = present == 1;
    reader.Rest(&value.bytes);
    if (!value.present && !value.bytes.empty()) return E_PACKAGE_FORMAT;
    journal->values.push_back(std::move(value));
    return 0;
  }
  if (id == kJournalFileChunk) {
    if (journal->files.size() >= counts.files) return E_PACKAGE_FORMAT;
    JournalFile file;
    if (!reader.U32(&file.item) || !reader.U32(&present) || !reader.Text(&file.path) || file.item >= counts.items ||
        present > 1) {
      return E_PACKAGE_FORMAT;
    }
    file.present = present == 1;
    reader.Rest(&file.bytes);
    if (!file.present && !file.bytes.empty()) return E_PACKAGE_FORMAT;
    journal->files.push_back(std::move(file));
    return 0;
  }
  return E_PACKAGE_FORMAT;
}

// Opens a form of `formType` that fills the file exactly, and gives the
// bytes after the form type.
int32_t OpenForm(const char* path, RiffId formType, ScopedFile* file, int32_t* remaining) {
  int32_t status = File_Open(path, kFileRead, kShareRead, FileCreate::OpenExisting, kFileHintSequential, file->Out());
  if (status != 0) return status;
  uint64_t fileSize = 0;
  status = File_GetSize(file->Get(), &fileSize);
  if (status != 0) return status;
  uint32_t size = 0;
  RiffId type = 0;
  if (fileSize > kRiffMaxSize || riff_ReadFileID(file->Get(), &size, &type) != 0 || type != formType ||
      static_cast<uint64_t>(size) + 12 != fileSize) {
    return E_PACKAGE_FORMAT;
  }
  *remaining = static_cast<int32_t>(size);
  return 0;
}

// Reads the next chunk whole; its size is checked against what the form
// still holds before anything is allocated.
int32_t NextChunk(FileHandle file, int32_t* remaining, RiffId* id, Bytes* data) {
  uint32_t size = 0;
  if (!riff_ConsumeRegion(remaining, 8) || riff_ReadChunkHeader(file, id, &size) != 0 ||
      !riff_ConsumeRegion(remaining, riff_RoundedSize(size)) || size > kJournalMaxBytes + 3 * kJournalMaxText + 32) {
    return E_PACKAGE_FORMAT;
  }
  try {
    data->resize(size);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return size == 0 || riff_ReadDataBounded(file, data->data(), size, size) == 0 ? 0 : E_PACKAGE_FORMAT;
}

}  // namespace

int32_t WriteJournal(const char* path, const Journal& journal) {
  Builder out;
  try {
    size_t form = out.Open(kRiffIdRiff);
    out.U32(kJournalForm);
    size_t header = out.Open(kJournalHeader);
    out.U32(kJournalVersion);
    out.U32(static_cast<uint32_t>(journal.operation));
    out.U32(static_cast<uint32_t>(journal.time));
    out.U32(static_cast<uint32_t>(journal.time >> 32));
    out.U32(static_cast<uint32_t>(journal.items.size()));
    out.U32(static_cast<uint32_t>(journal.values.size()));
    out.U32(static_cast<uint32_t>(journal.files.size()));
    out.U32(static_cast<uint32_t>(journal.createdKeys.size()));
    out.U32(static_cast<uint32_t>(journal.createdFolders.size()));
    out.Close(header);
    for (const std::string& item : journal.items) out.TextChunk(kJournalItem, item);
    for (const JournalValue& value : journal.values) {
      size_t chunk = out.Open(kJournalValue);
      out.U32(value.item);
      out.U32(value.present ? 1 : 0);
      out.U32(value.type);
      out.Text(value.key);
      out.Text(value.name);
      out.Raw(value.bytes.data(), value.bytes.size());
      out.Close(chunk);
    }
    for (const JournalFile& file : journal.files) {
      size_t chunk = out.Open(kJournalFileChunk);
      out.U32(file.item);
      out.U32(file.present ? 1 : 0);
      out.Text(file.path);
      out.Raw(file.bytes.data(), file.bytes.size());
      out.Close(chunk);
    }
    for (const std::string& key : journal.createdKeys) out.TextChunk(kJournalCreatedKey, key);
    for (const std::string& folder : journal.createdFolders) out.TextChunk(kJournalCreatedFolder, folder);
    if (out.Get().size() > kRiffMaxSize) return E_RIFF_WRITE;
    out.Close(form);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return WriteWhole(path, out.Get());
}

int32_t ReadJournal(const char* path, Journal* journal) {
  *journal = Journal{};
  ScopedFile file;
  int32_t remaining = 0;
  int32_t status = OpenForm(path, kJournalForm, &file, &remaining);
  if (status != 0) return status;
  RiffId id = 0;
  Bytes data;
  status = NextChunk(file.Get(), &remaining, &id, &data);
  if (status != 0) return status;
  Reader header(data.data(), data.size());
  uint32_t version = 0, operation = 0, low = 0, high = 0;
  Counts counts{};
  if (id != kJournalHeader || data.size() != kJournalHeaderSize || !header.U32(&version) || !header.U32(&operation) ||
      !header.U32(&low) || !header.U32(&high) || !header.U32(&counts.items) || !header.U32(&counts.values) ||
      !header.U32(&counts.files) || !header.U32(&counts.keys) || !header.U32(&counts.folders) ||
      version != kJournalVersion || operation < 1 || operation > static_cast<uint32_t>(JournalOperation::Redo) ||
      counts.items > kJournalMaxEntries || counts.values > kJournalMaxEntries || counts.files > kJournalMaxEntries ||
      counts.keys > kJournalMaxEntries || counts.folders > kJournalMaxEntries) {
    return E_PACKAGE_FORMAT;
  }
  journal->operation = static_cast<JournalOperation>(operation);
  journal->time = static_cast<uint64_t>(high) << 32 | low;
  try {
    // The counts come from the file: nothing is reserved for them.
    while (remaining > 0) {
      status = NextChunk(file.Get(), &remaining, &id, &data);
      if (status == 0) status = ParseChunk(id, data, counts, journal);
      if (status != 0) break;
    }
  } catch (const std::bad_alloc&) {
    status = E_OUTOFMEMORY;
  }
  if (status == 0 && (journal->items.size() != counts.items || journal->values.size() != counts.values ||
                      journal->files.size() != counts.files || journal->createdKeys.size() != counts.keys ||
                      journal->createdFolders.size() != counts.folders)) {
    status = E_PACKAGE_FORMAT;
  }
  if (status != 0) *journal = Journal{};
  return status;
}

int32_t WriteJournalEnd(const char* path, int32_t status, const std::vector<uint64_t>& digests) {
  Builder out;
  try {
    size_t form = out.Open(kRiffIdRiff);
    out.U32(kJournalEndForm);
    size_t chunk = out.Open(kJournalEnd);
    out.U32(kJournalVersion);
    out.U32(static_cast<uint32_t>(status));
    out.Close(chunk);
    chunk = out.Open(kJournalDigests);
    out.U32(static_cast<uint32_t>(digests.size()));
    for (uint64_t digest : digests) {
      out.U32(static_cast<uint32_t>(digest));
      out.U32(static_cast<uint32_t>(digest >> 32));
    }
    out.Close(chunk);
    out.Close(form);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return WriteWhole(path, out.Get());
}

int32_t ReadJournalEnd(const char* path, int32_t* status, std::vector<uint64_t>* digests) {
  digests->clear();
  ScopedFile file;
  int32_t remaining = 0;
  int32_t result = OpenForm(path, kJournalEndForm, &file, &remaining);
  if (result != 0) return result;
  RiffId id = 0;
  Bytes data;
  result = NextChunk(file.Get(), &remaining, &id, &data);
  if (result != 0) return result;
  Reader reader(data.data(), data.size());
  uint32_t version = 0, value = 0;
  if (id != kJournalEnd || data.size() != kJournalEndSize || !reader.U32(&version) || !reader.U32(&value) ||
      version != kJournalVersion) {
    return E_PACKAGE_FORMAT;
  }
  result = NextChunk(file.Get(), &remaining, &id, &data);
  if (result != 0) return result;
  Reader list(data.data(), data.size());
  uint32_t count = 0;
  if (id != kJournalDigests || remaining != 0 || !list.U32(&count) || count > kJournalMaxEntries ||
      data.size() != 4 + 8ull * count) {
    return E_PACKAGE_FORMAT;
  }
  try {
    for (uint32_t i = 0; i < count; ++i) {
      uint32_t low = 0, high = 0;
      list.U32(&low);
      list.U32(&high);
      digests->push_back(static_cast<uint64_t>(high) << 32 | low);
    }
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  *status = static_cast<int32_t>(value);
  return 0;
}
