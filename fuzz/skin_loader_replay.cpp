// Mutated skin packages through the real skin component, under Wine: every load must end (with a
// skin or without one), never crash. A deterministic mutator works on the unpacked archive (the
// description's values, the images' headers and pixels, the directory) and on the packed bytes.
//   skin_loader_replay COUNT SEED PACKAGE...
#include "framework/win32.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "framework/files.h"
#include "skin/data/archive.h"
#include "skin/data/lzh.h"
#include "skin/data/skin_data.h"
#include "skin/manager/skin_manage.h"

namespace {

std::vector<TSkinArchiveEntry> Unpack(const std::string& package) {
  TSkinReader reader;
  TMemoryStream stream(package.data(), package.size());
  if (!reader.Loadfromstream(stream)) return {};
  std::vector<TSkinArchiveEntry> entries;
  for (int i = 0; i < reader.Count(); ++i) {
    TMemoryStream file;
    reader.ReadEntry(i, file);
    entries.push_back({reader.Names()[static_cast<size_t>(i)], file.Bytes()});
  }
  return entries;
}

std::vector<uint8_t> Pack(const std::vector<TSkinArchiveEntry>& entries) {
  std::vector<uint8_t> archive = BuildSkinArchive(entries);
  TMemoryStream source(archive), packed;
  TLZH::Compress(source, packed);
  return packed.Bytes();
}

// Values a skin author might get wrong: zero, negatives, huge counts, odd separators.
const char* const kValues[] = {"0", "-1", "1", "2", "3", "255", "65535", "2147483647", "-2147483648", "99999999999",
                               "", " ", "1 2", "x.bmp", "..\\..\\a.bmp", "A.BMP", "0 0 0", "-5 -5 -5"};

void MutateText(std::vector<uint8_t>& text, std::mt19937& random) {
  std::string ini(text.begin(), text.end());
  for (int edits = 1 + static_cast<int>(random() % 4); edits > 0; --edits) {
    size_t equals = ini.find('=', random() % (ini.size() + 1));
    if (equals == std::string::npos) equals = ini.find('=');
    if (equals == std::string::npos) break;
    size_t end = ini.find_first_of("\r\n", equals);
    if (end == std::string::npos) end = ini.size();
    ini.replace(equals + 1, end - equals - 1, kValues[random() % (sizeof kValues / sizeof kValues[0])]);
  }
  text.assign(ini.begin(), ini.end());
}

void MutateBytes(std::vector<uint8_t>& bytes, std::mt19937& random) {
  if (bytes.empty()) return;
  switch (random() % 5) {
    case 0: bytes.resize(random() % bytes.size()); break;                            // truncated
    case 1: bytes[random() % std::min<size_t>(bytes.size(), 64)] ^= static_cast<uint8_t>(1u << (random() % 8)); break;
    case 2: {                                                                        // a header field set wild
      size_t at = random() % std::min<size_t>(bytes.size(), 60);
      uint32_t value = random() % 2 ? 0xFFFFFFFFu : static_cast<uint32_t>(random());
      for (size_t i = 0; i < 4 && at + i < bytes.size(); ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
      break;
    }
    case 3:
      for (int i = 0; i < 16; ++i) bytes[random() % bytes.size()] = static_cast<uint8_t>(random());
      break;
    default: bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(random() % bytes.size()), 8, 0xFF); break;
  }
}

std::vector<uint8_t> Mutate(const std::vector<TSkinArchiveEntry>& seed, const std::vector<uint8_t>& packedSeed,
                            std::mt19937& random) {
  if (random() % 8 == 0) {  // the packed stream itself
    std::vector<uint8_t> packed = packedSeed;
    MutateBytes(packed, random);
    return packed;
  }
  std::vector<TSkinArchiveEntry> entries = seed;
  for (int edits = 1 + static_cast<int>(random() % 3); edits > 0; --edits) {
    TSkinArchiveEntry& entry = entries[random() % entries.size()];
    bool text = entry.Name.size() > 4 && entry.Name.compare(entry.Name.size() - 4, 4, ".ini") == 0;
    if (text && random() % 4 != 0) {
      MutateText(entry.Data, random);
    } else if (random() % 10 == 0 && entries.size() > 1) {
      entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(random() % entries.size()));  // a file missing
    } else {
      MutateBytes(entry.Data, random);
    }
  }
  return Pack(entries);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: skin_loader_replay COUNT SEED PACKAGE...\n");
    return 2;
  }
  long count = std::strtol(argv[1], nullptr, 10);
  std::mt19937 random(static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
  TSkinReader::SetMessageHandler(nullptr);  // no message box for unknown formats
  long loaded = 0, refused = 0, raised = 0;
  for (int p = 3; p < argc; ++p) {
    std::string package = ReadWholeFile(Utf8ToWide(argv[p]));
    std::vector<TSkinArchiveEntry> seed = Unpack(package);
    if (seed.empty()) {
      std::fprintf(stderr, "skin_loader_replay: %s is not a skin package\n", argv[p]);
      return 2;
    }
    std::vector<uint8_t> packedSeed(package.begin(), package.end());
    for (long i = 0; i < count; ++i) {
      std::vector<uint8_t> mutated = Mutate(seed, packedSeed, random);
      TSkinData data(nullptr);
      TMemoryStream stream(mutated);
      try {
        data.LoadFromStream(stream);
        (data.FNoSkin ? refused : loaded) += 1;
      } catch (const std::exception&) {
        ++raised;  // unpacking errors reach the caller, as they should
      }
    }
  }
  delete SkinManager;
  std::printf("%ld packages: %ld loaded, %ld refused, %ld raised\n", loaded + refused + raised, loaded, refused, raised);
  return 0;
}
