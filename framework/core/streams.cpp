#include "framework/core/streams.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

uint64_t TStream::CopyFrom(TStream& source) {
  uint8_t buffer[16384];
  uint64_t total = 0;
  while (size_t got = source.Read(buffer, sizeof buffer)) {
    Write(buffer, got);
    total += got;
  }
  return total;
}

TMemoryStream::TMemoryStream(const void* bytes, size_t count)
    : FData(static_cast<const uint8_t*>(bytes), static_cast<const uint8_t*>(bytes) + count) {}

size_t TMemoryStream::Read(void* buffer, size_t count) {
  if (FPosition >= FData.size()) return 0;
  size_t n = std::min<uint64_t>(count, FData.size() - FPosition);
  if (n) std::memcpy(buffer, FData.data() + FPosition, n);
  FPosition += n;
  return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
  if (count == 0) return 0;
  uint64_t end = FPosition + count;
  if (end > FData.size()) {
    // Geometric growth: byte-at-a-time writers must not turn into quadratic copying.
    if (end > FData.capacity()) FData.reserve(std::max<uint64_t>(end, FData.capacity() * 2));
    FData.resize(end);
  }
  std::memcpy(FData.data() + FPosition, buffer, count);
  FPosition = end;
  return count;
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

void TMemoryStream::SetSize(size_t size) {
  FData.resize(size);
  if (FPosition > size) FPosition = size;
}

std::vector<uint8_t> TMemoryStream::TakeBytes() {
  std::vector<uint8_t> bytes = std::move(FData);
  Clear();
  return bytes;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw EStreamError("Cannot open file \"" + fileName + "\"");
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw EStreamError("Cannot read file \"" + fileName + "\"");
  FData = std::move(bytes);
  FPosition = 0;
}

void TMemoryStream::SaveToFile(const std::string& fileName) const {
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  if (out) out.write(reinterpret_cast<const char*>(FData.data()), static_cast<std::streamsize>(FData.size()));
  if (!out) throw EStreamError("Cannot write file \"" + fileName + "\"");
}
