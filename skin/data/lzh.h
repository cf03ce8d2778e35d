// TLZH: the LZHUF codec every skin package, skin stream and packed INI file is stored with.
// LZSS over a 4096-byte window, adaptive Huffman codes for literals and match lengths, a fixed prefix
// code for the upper six bits of match positions. Packed streams must round-trip bit for bit with the
// packages already in the field, so the 16-bit bit buffers and the table layout are kept exactly.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/core/exceptions.h"
#include "framework/core/streams.h"

class ElzhException : public Exception {
public:
  using Exception::Exception;
};

// Stream callbacks. The codec asks for and writes one byte at a time through them.
using TReadProc = std::function<void(uint8_t* buffer, uint16_t requested, uint16_t& obtained)>;
using TWriteProc = std::function<void(const uint8_t* buffer, uint16_t count, uint16_t& written)>;

class TLZH {
public:
  static constexpr int N = 4096;
  static constexpr int F = 60;
  static constexpr int THRESHOLD = 2;
  static constexpr int NIL = N;
  static constexpr int N_CHAR = 256 - THRESHOLD + F;
  static constexpr int T = 2 * N_CHAR - 1;
  static constexpr int R = T - 1;
  static constexpr unsigned MAX_FREQ = 0x8000;

  // Unpacking a stream never produces more than this unless the caller allows more.
  static constexpr int64_t kDefaultUnpackLimit = INT32_MAX;

  TLZH();
  ~TLZH();
  TLZH(const TLZH&) = delete;
  TLZH& operator=(const TLZH&) = delete;

  // Packs everything read delivers; textSize receives the number of source bytes. No size field.
  void LZHPack(int32_t& textSize, const TReadProc& read, const TWriteProc& write);
  // Decodes until at least size bytes were produced (a final match is completed, as the published
  // algorithm does). Throws ElzhException when the code bits run out before that.
  void LZHUnpack(int32_t size, const TReadProc& read, const TWriteProc& write);

  // The codec's own callbacks over the streams given to SetStreams.
  void SetStreams(TStream* source, TStream* destination);
  void GetBlockStream(uint8_t* buffer, uint16_t requested, uint16_t& obtained);
  void PutBlockStream(const uint8_t* buffer, uint16_t count, uint16_t& written);

  // Packing a stream: both positions to 0, the 4-byte little-endian source size, then the code.
  static void Compress(TStream& source, TStream& destination);
  // Unpacking a stream: both positions to 0, the size field, then the decoded bytes. An announced
  // size above limit is refused with ElzhException before anything is decoded.
  static void Decompress(TStream& source, TStream& destination, int64_t limit = kDefaultUnpackLimit);

private:
  struct TTables;
  template <class Source, class Sink> void Pack(Source& in, Sink& out);
  template <class Source, class Sink> void Unpack(int32_t size, Source& in, Sink& out);
  template <class Sink> void Putcode(Sink& out, int length, unsigned code);
  template <class Sink> void EncodeChar(Sink& out, unsigned c);
  template <class Sink> void EncodePosition(Sink& out, unsigned position);
  template <class Sink> void EncodeEnd(Sink& out);

  void InitLZH();
  void EndLZH();
  void StartHuff();
  void reconst();
  void update(int c);
  void InitTree();
  void InsertNode(int r);
  void DeleteNode(int p);

  std::unique_ptr<TTables> FTables;
  TStream* FSource = nullptr;
  TStream* FDestination = nullptr;
  uint16_t PutBuf = 0;
  uint8_t PutLen = 0;
  int32_t TextSize = 0;
  int32_t CodeSize = 0;
  uint16_t MatchPosition = 0;
  uint16_t MatchLength = 0;
};
