// Byte streams: the abstract TStream that readers and writers of packed data take, and TMemoryStream,
// the growable in-memory stream every caller in the program uses. Pure code, no Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"

// A file or stream that cannot be opened, read or written.
class EStreamError : public Exception {
public:
  using Exception::Exception;
};

class TStream {
public:
  virtual ~TStream() = default;

  // Reads up to count bytes from the current position; returns how many were read (0 at the end).
  virtual size_t Read(void* buffer, size_t count) = 0;
  // Writes count bytes at the current position, growing the stream as needed.
  virtual size_t Write(const void* buffer, size_t count) = 0;
  virtual uint64_t Size() const = 0;
  virtual uint64_t Position() const = 0;
  // Positions beyond the end are allowed; a later write fills the gap with zeros.
  virtual void SetPosition(uint64_t position) = 0;

  uint64_t Remaining() const { return Position() < Size() ? Size() - Position() : 0; }
  // Copies everything from source's position to its end; returns the byte count.
  uint64_t CopyFrom(TStream& source);
};

class TMemoryStream : public TStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> bytes) : FData(std::move(bytes)) {}
  TMemoryStream(const void* bytes, size_t count);

  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  uint64_t Size() const override { return FData.size(); }
  uint64_t Position() const override { return FPosition; }
  void SetPosition(uint64_t position) override { FPosition = position; }

  void Clear();
  void SetSize(size_t size);
  void Reserve(size_t capacity) { FData.reserve(capacity); }
  const uint8_t* Memory() const { return FData.data(); }
  uint8_t* Memory() { return FData.data(); }
  const std::vector<uint8_t>& Bytes() const { return FData; }
  std::vector<uint8_t> TakeBytes();

  // Whole-file helpers; they throw EStreamError naming the file when it cannot be read or written.
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

private:
  std::vector<uint8_t> FData;
  uint64_t FPosition = 0;
};
