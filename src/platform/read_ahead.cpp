#include "platform/read_ahead.h"

#include <cstring>
#include <new>

std::unique_ptr<ReadAhead> ReadAhead::Create() {
  std::unique_ptr<ReadAhead> ahead(new (std::nothrow) ReadAhead);
  if (ahead) ahead->bytes_.reset(new (std::nothrow) unsigned char[kWindow]);
  if (ahead && !ahead->bytes_) ahead.reset();
  return ahead;
}

int32_t ReadAhead::Seek(int64_t distance, FileOrigin origin, uint64_t fileSize, uint64_t* position) {
  int64_t base = origin == FileOrigin::Begin ? 0 : origin == FileOrigin::End ? static_cast<int64_t>(fileSize)
                                                                              : static_cast<int64_t>(position_);
  if (distance < -base) return StatusFromError(kErrorNegativeSeek);
  position_ = static_cast<uint64_t>(base + distance);
  if (position != nullptr) *position = position_;
  return 0;
}

int32_t ReadAhead::Read(PositionedRead read, void* file, void* buffer, uint32_t size, uint32_t* done) {
  *done = 0;
  unsigned char* out = static_cast<unsigned char*>(buffer);
  while (*done < size) {
    uint32_t wanted = size - *done;
    if (position_ >= start_ && position_ < start_ + length_) {
      uint32_t offset = static_cast<uint32_t>(position_ - start_);
      uint32_t take = length_ - offset < wanted ? length_ - offset : wanted;
      memcpy(out + *done, bytes_.get() + offset, take);
      *done += take;
      position_ += take;
      continue;
    }
    uint32_t got = 0;
    if (wanted >= kWindow) {
      // A large block goes straight into the caller's buffer.
      int32_t status = read(file, position_, out + *done, wanted, &got);
      if (status != 0) return status;
      *done += got;
      position_ += got;
      return 0;
    }
    int32_t status = read(file, position_, bytes_.get(), kWindow, &got);
    if (status != 0) return status;
    start_ = position_;
    length_ = got;
    if (got == 0) break;  // the end of the file
  }
  return 0;
}
