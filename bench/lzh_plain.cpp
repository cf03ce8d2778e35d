#include "bench/lzh_plain.h"

#include <algorithm>
#include <cstring>

namespace {

enum { N = 4096, F = 60, THRESHOLD = 2, NIL = N, N_CHAR = 256 - THRESHOLD + F, T = N_CHAR * 2 - 1, R = T - 1 };
const unsigned MAX_FREQ = 0x8000;

const unsigned char p_len[64] = {
    0x03, 0x04, 0x04, 0x04, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x05, 0x06, 0x06, 0x06, 0x06,
    0x06, 0x06, 0x06, 0x06, 0x06, 0x06, 0x06, 0x06, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07,
    0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07, 0x07,
    0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08};

const unsigned char p_code[64] = {
    0x00, 0x20, 0x30, 0x40, 0x50, 0x58, 0x60, 0x68, 0x70, 0x78, 0x80, 0x88, 0x90, 0x94, 0x98, 0x9C,
    0xA0, 0xA4, 0xA8, 0xAC, 0xB0, 0xB4, 0xB8, 0xBC, 0xC0, 0xC2, 0xC4, 0xC6, 0xC8, 0xCA, 0xCC, 0xCE,
    0xD0, 0xD2, 0xD4, 0xD6, 0xD8, 0xDA, 0xDC, 0xDE, 0xE0, 0xE2, 0xE4, 0xE6, 0xE8, 0xEA, 0xEC, 0xEE,
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF};

struct State {
  unsigned char text_buf[N + F - 1];
  short lson[N + 1], rson[N + 257], dad[N + 1];
  unsigned short freq[T + 1];
  short prnt[T + N_CHAR];
  short son[T];
  unsigned char d_code[256], d_len[256];
  unsigned short getbuf, putbuf;
  unsigned char getlen, putlen;
  int match_position, match_length;
  const PlainIo* io;
};

int ReadByte(const PlainIo& io) {
  uint8_t byte;
  uint16_t got = 0;
  io.read(io.context, &byte, 1, &got);
  return got ? byte : -1;
}

void WriteByte(const PlainIo& io, int byte) {
  uint8_t b = static_cast<uint8_t>(byte);
  uint16_t written;
  io.write(io.context, &b, 1, &written);
}

void MakeDecodeTables(State& s) {
  for (int u = 0; u < 64; u++) {
    for (int b = 0; b < (1 << (8 - p_len[u])); b++) {
      s.d_code[p_code[u] + b] = (unsigned char)u;
      s.d_len[p_code[u] + b] = p_len[u];
    }
  }
}

void InitTree(State& s) {
  for (int i = N + 1; i <= N + 256; i++) s.rson[i] = NIL;
  for (int i = 0; i <= N; i++) s.dad[i] = NIL;
}

void InsertNode(State& s, int r) {
  int i, p, cmp = 1;
  unsigned char* key = &s.text_buf[r];
  unsigned c;
  p = N + 1 + key[0];
  s.rson[r] = s.lson[r] = NIL;
  s.match_length = 0;
  for (;;) {
    if (cmp >= 0) {
      if (s.rson[p] != NIL) p = s.rson[p];
      else { s.rson[p] = r; s.dad[r] = p; return; }
    } else {
      if (s.lson[p] != NIL) p = s.lson[p];
      else { s.lson[p] = r; s.dad[r] = p; return; }
    }
    for (i = 1; i < F; i++)
      if ((cmp = key[i] - s.text_buf[p + i]) != 0) break;
    if (i > THRESHOLD) {
      if (i > s.match_length) {
        s.match_position = ((r - p) & (N - 1)) - 1;
        if ((s.match_length = i) >= F) break;
      }
      if (i == s.match_length) {
        if ((c = ((r - p) & (N - 1)) - 1) < (unsigned)s.match_position) s.match_position = c;
      }
    }
  }
  s.dad[r] = s.dad[p]; s.lson[r] = s.lson[p]; s.rson[r] = s.rson[p];
  s.dad[s.lson[p]] = r; s.dad[s.rson[p]] = r;
  if (s.rson[s.dad[p]] == p) s.rson[s.dad[p]] = r; else s.lson[s.dad[p]] = r;
  s.dad[p] = NIL;
}

void DeleteNode(State& s, int p) {
  int q;
  if (s.dad[p] == NIL) return;
  if (s.rson[p] == NIL) q = s.lson[p];
  else if (s.lson[p] == NIL) q = s.rson[p];
  else {
    q = s.lson[p];
    if (s.rson[q] != NIL) {
      do { q = s.rson[q]; } while (s.rson[q] != NIL);
      s.rson[s.dad[q]] = s.lson[q]; s.dad[s.lson[q]] = s.dad[q];
      s.lson[q] = s.lson[p]; s.dad[s.lson[p]] = q;
    }
    s.rson[q] = s.rson[p]; s.dad[s.rson[p]] = q;
  }
  s.dad[q] = s.dad[p];
  if (s.rson[s.dad[p]] == p) s.rson[s.dad[p]] = q; else s.lson[s.dad[p]] = q;
  s.dad[p] = NIL;
}

int GetBit(State& s) {
  int i;
  while (s.getlen <= 8) {
    if ((i = ReadByte(*s.io)) < 0) i = 0;
    s.getbuf |= i << (8 - s.getlen);
    s.getlen += 8;
  }
  i = s.getbuf;
  s.getbuf <<= 1;
  s.getlen--;
  return (i >> 15) & 1;
}

int GetByte(State& s) {
  unsigned i;
  while (s.getlen <= 8) {
    int c = ReadByte(*s.io);
    if (c < 0) c = 0;
    s.getbuf |= c << (8 - s.getlen);
    s.getlen += 8;
  }
  i = s.getbuf;
  s.getbuf <<= 8;
  s.getlen -= 8;
  return (i >> 8) & 0xFF;
}

void Putcode(State& s, int l, unsigned c) {
  s.putbuf |= c >> s.putlen;
  if ((s.putlen += l) >= 8) {
    WriteByte(*s.io, s.putbuf >> 8);
    if ((s.putlen -= 8) >= 8) {
      WriteByte(*s.io, s.putbuf & 0xFF);
      s.putlen -= 8;
      s.putbuf = (unsigned short)(c << (l - s.putlen));
    } else {
      s.putbuf <<= 8;
    }
  }
}

void StartHuff(State& s) {
  int i, j;
  for (i = 0; i < N_CHAR; i++) { s.freq[i] = 1; s.son[i] = i + T; s.prnt[i + T] = i; }
  i = 0; j = N_CHAR;
  while (j <= R) {
    s.freq[j] = s.freq[i] + s.freq[i + 1];
    s.son[j] = i;
    s.prnt[i] = s.prnt[i + 1] = j;
    i += 2; j++;
  }
  s.freq[T] = 0xffff;
  s.prnt[R] = 0;
}

void reconst(State& s) {
  int i, j, k;
  unsigned f, l;
  j = 0;
  for (i = 0; i < T; i++) {
    if (s.son[i] >= T) { s.freq[j] = (s.freq[i] + 1) / 2; s.son[j] = s.son[i]; j++; }
  }
  for (i = 0, j = N_CHAR; j < T; i += 2, j++) {
    k = i + 1;
    f = s.freq[j] = s.freq[i] + s.freq[k];
    for (k = j - 1; f < s.freq[k]; k--) {}
    k++;
    l = (j - k) * 2;
    memmove(&s.freq[k + 1], &s.freq[k], l);
    s.freq[k] = f;
    memmove(&s.son[k + 1], &s.son[k], l);
    s.son[k] = i;
  }
  for (i = 0; i < T; i++) {
    if ((k = s.son[i]) >= T) s.prnt[k] = i;
    else s.prnt[k] = s.prnt[k + 1] = i;
  }
}

void update(State& s, int c) {
  int i, j, k, l;
  if (s.freq[R] == MAX_FREQ) reconst(s);
  c = s.prnt[c + T];
  do {
    k = ++s.freq[c];
    if (k > s.freq[l = c + 1]) {
      while (k > s.freq[++l]) {}
      l--;
      s.freq[c] = s.freq[l];
      s.freq[l] = k;
      i = s.son[c];
      s.prnt[i] = l;
      if (i < T) s.prnt[i + 1] = l;
      j = s.son[l];
      s.son[l] = i;
      s.prnt[j] = c;
      if (j < T) s.prnt[j + 1] = c;
      s.son[c] = j;
      c = l;
    }
  } while ((c = s.prnt[c]) != 0);
}

void EncodeChar(State& s, unsigned c) {
  unsigned short i = 0;
  int j = 0, k = s.prnt[c + T];
  do {
    i >>= 1;
    if (k & 1) i += 0x8000;
    j++;
  } while ((k = s.prnt[k]) != R);
  Putcode(s, j, i);
  update(s, c);
}

void EncodePosition(State& s, unsigned c) {
  unsigned i = c >> 6;
  Putcode(s, p_len[i], (unsigned)p_code[i] << 8);
  Putcode(s, 6, (c & 0x3f) << 10);
}

void EncodeEnd(State& s) {
  if (s.putlen) WriteByte(*s.io, s.putbuf >> 8);
}

int DecodeChar(State& s) {
  unsigned c = s.son[R];
  while (c < T) {
    c += GetBit(s);
    c = s.son[c];
  }
  c -= T;
  update(s, c);
  return c;
}

int DecodePosition(State& s) {
  unsigned i, j, c;
  i = GetByte(s);
  c = (unsigned)s.d_code[i] << 6;
  j = s.d_len[i];
  j -= 2;
  while (j--) i = ((i << 1) + GetBit(s)) & 0xFFFF;
  return c | (i & 0x3f);
}

}  // namespace

long PlainLzhEncode(const PlainIo& io) {
  State* ps = new State();
  State& s = *ps;
  s.io = &io;
  int i, c, len, r, last_match_length;
  long textsize = 0;
  StartHuff(s);
  InitTree(s);
  int sp = 0;
  r = N - F;
  for (i = sp; i < r; i++) s.text_buf[i] = ' ';
  for (len = 0; len < F && (c = ReadByte(io)) >= 0; len++) s.text_buf[r + len] = (unsigned char)c;
  textsize = len;
  for (i = 1; i <= F; i++) InsertNode(s, r - i);
  InsertNode(s, r);
  do {
    if (s.match_length > len) s.match_length = len;
    if (s.match_length <= THRESHOLD) {
      s.match_length = 1;
      EncodeChar(s, s.text_buf[r]);
    } else {
      EncodeChar(s, 255 - THRESHOLD + s.match_length);
      EncodePosition(s, s.match_position);
    }
    last_match_length = s.match_length;
    for (i = 0; i < last_match_length && (c = ReadByte(io)) >= 0; i++) {
      DeleteNode(s, sp);
      s.text_buf[sp] = (unsigned char)c;
      if (sp < F - 1) s.text_buf[sp + N] = (unsigned char)c;
      sp = (sp + 1) & (N - 1);
      r = (r + 1) & (N - 1);
      InsertNode(s, r);
    }
    textsize += i;
    while (i++ < last_match_length) {
      DeleteNode(s, sp);
      sp = (sp + 1) & (N - 1);
      r = (r + 1) & (N - 1);
      if (--len) InsertNode(s, r);
    }
  } while (len > 0);
  EncodeEnd(s);
  delete ps;
  return textsize;
}

void PlainLzhDecode(long size, const PlainIo& io) {
  State* ps = new State();
  State& s = *ps;
  s.io = &io;
  MakeDecodeTables(s);
  int i, j, k, r, c;
  long count;
  StartHuff(s);
  for (i = 0; i < N - F; i++) s.text_buf[i] = ' ';
  r = N - F;
  for (count = 0; count < size;) {
    c = DecodeChar(s);
    if (c < 256) {
      WriteByte(io, c);
      s.text_buf[r++] = (unsigned char)c;
      r &= (N - 1);
      count++;
    } else {
      i = (r - DecodePosition(s) - 1) & (N - 1);
      j = c - 255 + THRESHOLD;
      for (k = 0; k < j; k++) {
        c = s.text_buf[(i + k) & (N - 1)];
        WriteByte(io, c);
        s.text_buf[r++] = (unsigned char)c;
        r &= (N - 1);
        count++;
      }
    }
  }
  delete ps;
}

namespace {

struct MemoryContext {
  const std::vector<uint8_t>* in;
  size_t position;
  std::vector<uint8_t>* out;
};

// Block callbacks over in-memory data, as a stream's Read and Write behave.
void MemoryRead(void* context, uint8_t* buffer, uint16_t requested, uint16_t* obtained) {
  auto* m = static_cast<MemoryContext*>(context);
  size_t count = std::min<size_t>(requested, m->in->size() - m->position);
  std::memcpy(buffer, m->in->data() + m->position, count);
  m->position += count;
  *obtained = static_cast<uint16_t>(count);
}

void MemoryWrite(void* context, const uint8_t* buffer, uint16_t count, uint16_t* written) {
  auto* out = static_cast<MemoryContext*>(context)->out;
  out->insert(out->end(), buffer, buffer + count);
  *written = count;
}

}  // namespace

std::vector<uint8_t> PlainLzhPack(const std::vector<uint8_t>& input) {
  std::vector<uint8_t> out;
  uint32_t size = static_cast<uint32_t>(input.size());
  for (int i = 0; i < 4; i++) out.push_back(static_cast<uint8_t>(size >> (8 * i)));
  MemoryContext context{&input, 0, &out};
  PlainLzhEncode(PlainIo{MemoryRead, MemoryWrite, &context});
  return out;
}

std::vector<uint8_t> PlainLzhUnpack(const std::vector<uint8_t>& packed) {
  std::vector<uint8_t> out;
  if (packed.size() < 4) return out;
  int32_t size = static_cast<int32_t>(packed[0] | packed[1] << 8 | packed[2] << 16 | uint32_t(packed[3]) << 24);
  MemoryContext context{&packed, 4, &out};
  PlainLzhDecode(size, PlainIo{MemoryRead, MemoryWrite, &context});
  return out;
}
