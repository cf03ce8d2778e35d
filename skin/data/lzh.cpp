#include "skin/data/lzh.h"

#include <cstring>
#include <new>

namespace {

constexpr int N = TLZH::N;
constexpr int F = TLZH::F;
constexpr int THRESHOLD = TLZH::THRESHOLD;
constexpr int NIL = TLZH::NIL;
constexpr int N_CHAR = TLZH::N_CHAR;
constexpr int T = TLZH::T;
constexpr int R = TLZH::R;

// The fixed prefix code for the upper six bits of a match position: canonical codes of lengths
// 3 to 8, left-aligned in a byte, and the 256-entry decode tables indexed by the next 8 bits.
struct TPositionCodes {
  uint8_t p_len[64];
  uint8_t p_code[64];
  uint8_t d_code[256];
  uint8_t d_len[256];

  constexpr TPositionCodes() : p_len(), p_code(), d_code(), d_len() {
    unsigned code = 0;
    int previousLength = 3;
    for (int u = 0; u < 64; ++u) {
      int length = u == 0 ? 3 : u < 4 ? 4 : u < 12 ? 5 : u < 24 ? 6 : u < 48 ? 7 : 8;
      code <<= length - previousLength;
      previousLength = length;
      p_len[u] = static_cast<uint8_t>(length);
      p_code[u] = static_cast<uint8_t>(code << (8 - length));
      for (unsigned b = 0; b < (1u << (8 - length)); ++b) {
        d_code[p_code[u] + b] = static_cast<uint8_t>(u);
        d_len[p_code[u] + b] = static_cast<uint8_t>(length);
      }
      ++code;
    }
  }
};
constexpr TPositionCodes kCodes;
static_assert(kCodes.p_code[4] == 0x50 && kCodes.p_code[11] == 0x88 && kCodes.p_code[12] == 0x90 &&
              kCodes.p_code[24] == 0xC0 && kCodes.p_code[47] == 0xEE && kCodes.p_code[63] == 0xFF);

// Byte sources deliver the next byte, or -1 at the end.
class TCallbackSource {
public:
  explicit TCallbackSource(const TReadProc& read) : FRead(read) {}
  int Next() {
    uint8_t byte = 0;
    uint16_t got = 0;
    FRead(&byte, 1, got);
    return got == 0 ? -1 : byte;
  }

private:
  const TReadProc& FRead;
};

// Reads the source stream in blocks; the codec still consumes it one byte at a time.
class TStreamSource {
public:
  explicit TStreamSource(TStream& stream) : FStream(stream) {}
  int Next() {
    if (FNext == FEnd && !Refill()) return -1;
    return *FNext++;
  }

private:
  bool Refill() {
    size_t got = FStream.Read(FBuffer, sizeof FBuffer);
    FNext = FBuffer;
    FEnd = FBuffer + got;
    return got != 0;
  }
  TStream& FStream;
  uint8_t FBuffer[8192];
  const uint8_t* FNext = FBuffer;
  const uint8_t* FEnd = FBuffer;
};

class TCallbackSink {
public:
  explicit TCallbackSink(const TWriteProc& write) : FWrite(write) {}
  void Put(uint8_t byte) {
    uint16_t written = 0;
    FWrite(&byte, 1, written);
  }
  void Flush() {}

private:
  const TWriteProc& FWrite;
};

class TStreamSink {
public:
  explicit TStreamSink(TStream& stream) : FStream(stream) {}
  void Put(uint8_t byte) {
    if (FCount == sizeof FBuffer) Flush();
    FBuffer[FCount++] = byte;
  }
  void Flush() {
    FStream.Write(FBuffer, FCount);
    FCount = 0;
  }

private:
  TStream& FStream;
  uint8_t FBuffer[8192];
  size_t FCount = 0;
};

// MSB-first bit input. The 16-bit buffer of the published algorithm never loses a bit on input
// (it refills only while 8 bits or fewer are held), so a wider buffer reads the same bits.
// Bytes past the end read as zeros, as in the original; Truncated() tells whether any of those
// phantom bits was actually consumed.
template <class Source>
class TBitReader {
public:
  explicit TBitReader(Source& source) : FSource(source) {}

  unsigned GetBit() {
    if (FLength == 0) Refill();
    unsigned bit = FBuffer >> 63;
    FBuffer <<= 1;
    --FLength;
    return bit;
  }
  unsigned GetByte() {
    if (FLength < 8) Refill();
    unsigned byte = static_cast<unsigned>(FBuffer >> 56);
    FBuffer <<= 8;
    FLength -= 8;
    return byte;
  }
  bool Truncated() const { return FPhantomBytes * 8 > static_cast<uint64_t>(FLength); }

private:
  void Refill() {
    while (FLength <= 56) {
      int byte = FSource.Next();
      if (byte < 0) {
        byte = 0;
        ++FPhantomBytes;
      }
      FBuffer |= static_cast<uint64_t>(byte) << (56 - FLength);
      FLength += 8;
    }
  }
  Source& FSource;
  uint64_t FBuffer = 0;
  int FLength = 0;
  uint64_t FPhantomBytes = 0;
};

[[noreturn]] void RaiseTruncated() {
  throw ElzhException("LZH : Packed data is truncated or corrupt");
}

inline uint64_t LoadWord(const uint8_t* p) {
  uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

}  // namespace

struct TLZH::TTables {
  // The ring buffer mirrors its first F - 1 bytes after N - 1 so string comparisons never wrap;
  // 8 more bytes let InsertNode compare a word at a time past the last valid byte.
  uint8_t TextBuf[N + F - 1 + 8];
  int16_t Kids[N + 257][2];  // LSon and RSon; entries N+1..N+256 are the roots (right child only)
  int16_t Dad[N + 1];
  uint16_t Freq[T + 1];
  int16_t Prnt[T + N_CHAR];
  int16_t Son[T];
};

TLZH::TLZH() = default;
TLZH::~TLZH() = default;

void TLZH::InitLZH() {
  // Zero-filled: bytes past a short input take part in match searches and so in the code.
  FTables.reset(new (std::nothrow) TTables());
  if (!FTables) throw ElzhException("LZH : Cannot get memory for dictionary tables");
}

void TLZH::EndLZH() { FTables.reset(); }

// ---- Adaptive Huffman coding -------------------------------------------------------------------

void TLZH::StartHuff() {
  uint16_t* freq = FTables->Freq;
  int16_t* son = FTables->Son;
  int16_t* prnt = FTables->Prnt;
  for (int i = 0; i < N_CHAR; ++i) {
    freq[i] = 1;
    son[i] = static_cast<int16_t>(i + T);
    prnt[i + T] = static_cast<int16_t>(i);
  }
  for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
    freq[j] = static_cast<uint16_t>(freq[i] + freq[i + 1]);
    son[j] = static_cast<int16_t>(i);
    prnt[i] = prnt[i + 1] = static_cast<int16_t>(j);
  }
  freq[T] = 0xFFFF;
  prnt[R] = 0;
}

void TLZH::reconst() {
  uint16_t* freq = FTables->Freq;
  int16_t* son = FTables->Son;
  int16_t* prnt = FTables->Prnt;
  int j = 0;
  for (int i = 0; i < T; ++i) {
    if (son[i] >= T) {
      freq[j] = static_cast<uint16_t>((freq[i] + 1) / 2);
      son[j] = son[i];
      ++j;
    }
  }
  for (int i = 0, j2 = N_CHAR; j2 < T; i += 2, ++j2) {
    unsigned f = freq[i] + freq[i + 1];
    int k = j2 - 1;
    while (f < freq[k]) --k;
    ++k;
    std::memmove(&freq[k + 1], &freq[k], (j2 - k) * sizeof freq[0]);
    std::memmove(&son[k + 1], &son[k], (j2 - k) * sizeof son[0]);
    freq[k] = static_cast<uint16_t>(f);
    son[k] = static_cast<int16_t>(i);
  }
  for (int i = 0; i < T; ++i) {
    int k = son[i];
    if (k >= T) {
      prnt[k] = static_cast<int16_t>(i);
    } else {
      prnt[k] = prnt[k + 1] = static_cast<int16_t>(i);
    }
  }
}

void TLZH::update(int c) {
  uint16_t* freq = FTables->Freq;
  int16_t* son = FTables->Son;
  int16_t* prnt = FTables->Prnt;
  if (freq[R] == MAX_FREQ) reconst();
  c = prnt[c + T];
  do {
    unsigned k = ++freq[c];
    if (k > freq[c + 1]) {
      // Freq is sorted, so the nodes to pass are the run equal to the old count: the published
      // linear scan finds its last element; a galloping search finds the same one sooner.
      int l = c + 1;
      if (k > freq[l + 1]) {
        int step = 1;
        int low = l + 1;   // freq[low] < k
        int high = low + step;
        while (high <= T && k > freq[high]) {
          low = high;
          step <<= 1;
          high = low + step;
        }
        if (high > T) high = T;  // freq[T] is the 0xFFFF sentinel
        while (high - low > 1) {
          int middle = (low + high) / 2;
          if (k > freq[middle]) low = middle; else high = middle;
        }
        l = low;
      }
      freq[c] = freq[l];
      freq[l] = static_cast<uint16_t>(k);

      int i = son[c];
      prnt[i] = static_cast<int16_t>(l);
      if (i < T) prnt[i + 1] = static_cast<int16_t>(l);

      int j = son[l];
      son[l] = static_cast<int16_t>(i);
      prnt[j] = static_cast<int16_t>(c);
      if (j < T) prnt[j + 1] = static_cast<int16_t>(c);
      son[c] = static_cast<int16_t>(j);

      c = l;
    }
  } while ((c = prnt[c]) != 0);
}

// Bit output through the 16-bit buffer, exactly as the published algorithm does it: a code longer
// than the buffer can hold loses bits, and the packed files in the field carry that behaviour.
template <class Sink>
void TLZH::Putcode(Sink& out, int length, unsigned code) {
  PutBuf = static_cast<uint16_t>(PutBuf | (code >> PutLen));
  PutLen = static_cast<uint8_t>(PutLen + length);
  if (PutLen >= 8) {
    out.Put(static_cast<uint8_t>(PutBuf >> 8));
    PutLen = static_cast<uint8_t>(PutLen - 8);
    if (PutLen >= 8) {
      out.Put(static_cast<uint8_t>(PutBuf));
      CodeSize += 2;
      PutLen = static_cast<uint8_t>(PutLen - 8);
      PutBuf = static_cast<uint16_t>(static_cast<uint32_t>(code) << (length - PutLen));
    } else {
      PutBuf = static_cast<uint16_t>(PutBuf << 8);
      CodeSize += 1;
    }
  }
}

template <class Sink>
void TLZH::EncodeChar(Sink& out, unsigned c) {
  const int16_t* prnt = FTables->Prnt;
  unsigned bits = 0;
  int count = 0;
  int k = prnt[c + T];
  do {
    bits = (bits >> 1) & 0x7FFF;
    if (k & 1) bits += 0x8000;
    ++count;
  } while ((k = prnt[k]) != R);
  Putcode(out, count, bits);
  update(static_cast<int>(c));
}

template <class Sink>
void TLZH::EncodePosition(Sink& out, unsigned position) {
  unsigned upper = position >> 6;
  Putcode(out, kCodes.p_len[upper], static_cast<unsigned>(kCodes.p_code[upper]) << 8);
  Putcode(out, 6, (position & 0x3F) << 10);
}

template <class Sink>
void TLZH::EncodeEnd(Sink& out) {
  if (PutLen > 0) {
    out.Put(static_cast<uint8_t>(PutBuf >> 8));
    ++CodeSize;
  }
}

// ---- Match finding ----------------------------------------------------------------------------
// The search trees keep each node's left and right child side by side (Kids[p][0], Kids[p][1]), so
// the walk down picks a child by index instead of by an unpredictable branch.

void TLZH::InitTree() {
  for (int i = N + 1; i <= N + 256; ++i) FTables->Kids[i][1] = NIL;
  for (int i = 0; i <= N; ++i) FTables->Dad[i] = NIL;
}

void TLZH::InsertNode(int r) {
  const uint8_t* text = FTables->TextBuf;
  int16_t (*kids)[2] = FTables->Kids;
  int16_t* dad = FTables->Dad;
  const uint8_t* key = &text[r];
  const uint64_t keyHead = LoadWord(key + 1);
  const uint64_t keyHeadOrder = __builtin_bswap64(keyHead);
  int p = N + 1 + key[0];
  int side = 1;
  kids[r][0] = kids[r][1] = NIL;
  MatchLength = 0;
  for (;;) {
    int next = kids[p][side];
    if (next == NIL) {
      kids[p][side] = static_cast<int16_t>(r);
      dad[r] = static_cast<int16_t>(p);
      return;
    }
    p = next;
    // Bytes 1..F-1 compared eight at a time; the first differing byte decides the side (right when
    // the key's byte is greater). Byte-swapped words compare in string order.
    int i;
    uint64_t head = LoadWord(&text[p + 1]);
    if (head != keyHead) {
      i = 1 + (__builtin_ctzll(head ^ keyHead) >> 3);
      side = keyHeadOrder > __builtin_bswap64(head);
    } else {
      i = 9;
      side = 1;
      for (; i < F; i += 8) {
        uint64_t difference = LoadWord(key + i) ^ LoadWord(&text[p + i]);
        if (difference != 0) {
          i += __builtin_ctzll(difference) >> 3;
          if (i < F) side = key[i] > text[p + i];
          break;
        }
      }
      if (i > F) i = F;
    }
    if (i > THRESHOLD) {
      unsigned candidate = ((r - p) & (N - 1)) - 1u;
      if (i > MatchLength) {
        MatchPosition = static_cast<uint16_t>(candidate);
        MatchLength = static_cast<uint16_t>(i);
        if (i >= F) break;
      } else if (i == MatchLength && candidate < MatchPosition) {
        MatchPosition = static_cast<uint16_t>(candidate);
      }
    }
  }
  // A full-length match: r takes p's place in the tree and p leaves it.
  dad[r] = dad[p];
  kids[r][0] = kids[p][0];
  kids[r][1] = kids[p][1];
  dad[kids[p][0]] = static_cast<int16_t>(r);
  dad[kids[p][1]] = static_cast<int16_t>(r);
  kids[dad[p]][kids[dad[p]][1] == p ? 1 : 0] = static_cast<int16_t>(r);
  dad[p] = NIL;
}

void TLZH::DeleteNode(int p) {
  int16_t (*kids)[2] = FTables->Kids;
  int16_t* dad = FTables->Dad;
  if (dad[p] == NIL) return;
  int q;
  if (kids[p][1] == NIL) {
    q = kids[p][0];
  } else if (kids[p][0] == NIL) {
    q = kids[p][1];
  } else {
    // Two children: the in-order predecessor takes p's place.
    q = kids[p][0];
    if (kids[q][1] != NIL) {
      do {
        q = kids[q][1];
      } while (kids[q][1] != NIL);
      kids[dad[q]][1] = kids[q][0];
      dad[kids[q][0]] = dad[q];
      kids[q][0] = kids[p][0];
      dad[kids[p][0]] = static_cast<int16_t>(q);
    }
    kids[q][1] = kids[p][1];
    dad[kids[p][1]] = static_cast<int16_t>(q);
  }
  dad[q] = dad[p];
  kids[dad[p]][kids[dad[p]][1] == p ? 1 : 0] = static_cast<int16_t>(q);
  dad[p] = NIL;
}

// ---- Packing and unpacking --------------------------------------------------------------------

template <class Source, class Sink>
void TLZH::Pack(Source& in, Sink& out) {
  InitLZH();
  struct TEnd { TLZH* self; ~TEnd() { self->EndLZH(); } } end{this};
  TextSize = 0;
  CodeSize = 0;
  PutBuf = 0;
  PutLen = 0;
  StartHuff();
  InitTree();

  uint8_t* text = FTables->TextBuf;
  int s = 0;
  int r = N - F;
  std::memset(text, ' ', r);
  int len = 0;
  for (int c; len < F && (c = in.Next()) >= 0; ++len) text[r + len] = static_cast<uint8_t>(c);
  TextSize = len;
  // An empty source is not special: one literal is coded before the flush. An unpacker told
  // size 0 never decodes it.
  for (int i = 1; i <= F; ++i) InsertNode(r - i);
  InsertNode(r);
  do {
    if (MatchLength > len) MatchLength = static_cast<uint16_t>(len < 0 ? 0 : len);
    if (MatchLength <= THRESHOLD) {
      MatchLength = 1;
      EncodeChar(out, text[r]);
    } else {
      EncodeChar(out, 255 - THRESHOLD + MatchLength);
      EncodePosition(out, MatchPosition);
    }
    int last = MatchLength;
    int i = 0;
    for (int c; i < last && (c = in.Next()) >= 0; ++i) {
      DeleteNode(s);
      text[s] = static_cast<uint8_t>(c);
      if (s < F - 1) text[s + N] = static_cast<uint8_t>(c);
      s = (s + 1) & (N - 1);
      r = (r + 1) & (N - 1);
      InsertNode(r);
    }
    TextSize += i;
    while (i++ < last) {
      DeleteNode(s);
      s = (s + 1) & (N - 1);
      r = (r + 1) & (N - 1);
      if (--len) InsertNode(r);
    }
  } while (len > 0);
  EncodeEnd(out);
  out.Flush();
}

template <class Source, class Sink>
void TLZH::Unpack(int32_t size, Source& in, Sink& out) {
  InitLZH();
  struct TEnd { TLZH* self; ~TEnd() { self->EndLZH(); } } end{this};
  StartHuff();
  uint8_t* text = FTables->TextBuf;
  const int16_t* son = FTables->Son;
  std::memset(text, ' ', N - F);
  int r = N - F;
  TBitReader<Source> bits(in);
  for (int64_t count = 0; count < size;) {
    unsigned c = static_cast<unsigned>(son[R]);
    while (c < static_cast<unsigned>(T)) c = static_cast<unsigned>(son[c + bits.GetBit()]);
    c -= T;
    update(static_cast<int>(c));
    if (c < 256) {
      if (bits.Truncated()) RaiseTruncated();
      out.Put(static_cast<uint8_t>(c));
      text[r] = static_cast<uint8_t>(c);
      r = (r + 1) & (N - 1);
      ++count;
    } else {
      unsigned i = bits.GetByte();
      unsigned upper = static_cast<unsigned>(kCodes.d_code[i]) << 6;
      for (int j = kCodes.d_len[i] - 2; j > 0; --j) i = ((i << 1) + bits.GetBit()) & 0xFFFF;
      if (bits.Truncated()) RaiseTruncated();
      int from = (r - static_cast<int>(upper | (i & 0x3F)) - 1) & (N - 1);
      int length = static_cast<int>(c) - 253;
      // Byte by byte: a copy may overlap the bytes it is producing.
      for (int k = 0; k < length; ++k) {
        uint8_t b = text[(from + k) & (N - 1)];
        out.Put(b);
        text[r] = b;
        r = (r + 1) & (N - 1);
      }
      count += length;
    }
  }
  out.Flush();
}

void TLZH::LZHPack(int32_t& textSize, const TReadProc& read, const TWriteProc& write) {
  TCallbackSource in(read);
  TCallbackSink out(write);
  Pack(in, out);
  textSize = TextSize;
}

void TLZH::LZHUnpack(int32_t size, const TReadProc& read, const TWriteProc& write) {
  TCallbackSource in(read);
  TCallbackSink out(write);
  Unpack(size, in, out);
}

void TLZH::SetStreams(TStream* source, TStream* destination) {
  FSource = source;
  FDestination = destination;
}

void TLZH::GetBlockStream(uint8_t* buffer, uint16_t requested, uint16_t& obtained) {
  obtained = FSource ? static_cast<uint16_t>(FSource->Read(buffer, requested)) : 0;
}

void TLZH::PutBlockStream(const uint8_t* buffer, uint16_t count, uint16_t& written) {
  written = FDestination ? static_cast<uint16_t>(FDestination->Write(buffer, count)) : 0;
}

void TLZH::Compress(TStream& source, TStream& destination) {
  source.SetPosition(0);
  destination.SetPosition(0);
  uint32_t size = static_cast<uint32_t>(source.Size());
  uint8_t field[4] = {uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16), uint8_t(size >> 24)};
  destination.Write(field, sizeof field);
  // The block callbacks of the codec, read and written in blocks rather than byte by byte.
  TLZH codec;
  TStreamSource in(source);
  TStreamSink out(destination);
  codec.Pack(in, out);
}

void TLZH::Decompress(TStream& source, TStream& destination, int64_t limit) {
  source.SetPosition(0);
  destination.SetPosition(0);
  uint8_t field[4] = {};
  if (source.Read(field, sizeof field) != sizeof field) {
    throw ElzhException("LZH : Packed data is too short to hold its size field");
  }
  int32_t size = static_cast<int32_t>(uint32_t(field[0]) | uint32_t(field[1]) << 8 |
                                      uint32_t(field[2]) << 16 | uint32_t(field[3]) << 24);
  if (size > limit) {
    throw ElzhException("LZH : Packed data announces " + std::to_string(size) +
                        " bytes, more than the allowed " + std::to_string(limit));
  }
  TLZH codec;
  TStreamSource in(source);
  TStreamSink out(destination);
  codec.Unpack(size, in, out);
}
