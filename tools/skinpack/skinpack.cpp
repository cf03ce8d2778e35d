#include "tools/skinpack/skinpack.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "framework/core/exceptions.h"
#include "framework/core/streams.h"
#include "framework/core/text.h"
#include "skin/data/archive.h"
#include "skin/data/lzh.h"
#include "tools/skinpack/check.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: skinpack pack DIR OUT | unpack PACKAGE DIR | list PACKAGE | check PACKAGE | lzh-pack IN OUT | "
    "lzh-unpack IN OUT";

class EToolError : public Exception {
public:
  using Exception::Exception;
};

TMemoryStream ReadInput(const std::string& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) throw EToolError(path + ": no such file");
  TMemoryStream stream;
  stream.LoadFromFile(path);
  return stream;
}

// Writes beside the target and renames over it, so a failure never leaves a partial file.
void WriteOutput(const fs::path& path, const uint8_t* data, size_t size) {
  fs::path temporary = path;
  temporary += ".partial";
  try {
    TMemoryStream(data, size).SaveToFile(temporary.string());
  } catch (const EStreamError&) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw EToolError(path.string() + ": cannot write");
  }
  std::error_code error;
  fs::rename(temporary, path, error);
  if (error) {
    fs::remove(temporary, error);
    throw EToolError(path.string() + ": cannot write");
  }
}

void WriteOutput(const fs::path& path, const TMemoryStream& stream) {
  WriteOutput(path, stream.Memory(), stream.Size());
}

TSkinReader LoadPackage(const std::string& path) {
  TMemoryStream packed = ReadInput(path);
  TSkinReader reader;
  bool loaded;
  try {
    loaded = reader.Loadfromstream(packed);
  } catch (const ElzhException& error) {
    throw EToolError(path + ": " + error.Message());
  }
  if (!loaded) throw EToolError(path + ": " + reader.LastError());
  return reader;
}

bool IsSkinFile(const fs::path& path) {
  std::string extension = LowerCase(path.extension().string());
  return extension == ".ini" || extension == ".bmp";
}

int Pack(const std::string& dir, const std::string& outPath) {
  std::error_code error;
  if (!fs::is_directory(dir, error)) throw EToolError(dir + ": no such directory");
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(dir, error)) {
    if (entry.is_regular_file() && IsSkinFile(entry.path())) files.push_back(entry.path());
  }
  if (error) throw EToolError(dir + ": cannot list the directory");
  // Sorted by name so the same folder always gives the same bytes.
  std::sort(files.begin(), files.end(),
            [](const fs::path& a, const fs::path& b) { return a.filename().string() < b.filename().string(); });
  if (files.size() > static_cast<size_t>(TSkinReader::kMaxFiles)) {
    throw EToolError(dir + ": " + std::to_string(files.size()) + " skin files, at most " +
                     std::to_string(TSkinReader::kMaxFiles) + " fit in a package");
  }
  std::vector<TSkinArchiveEntry> entries;
  for (const fs::path& file : files) {
    TMemoryStream content = ReadInput(file.string());
    entries.push_back({file.filename().string(), content.TakeBytes()});
  }
  std::vector<uint8_t> archive = BuildSkinArchive(entries);
  TMemoryStream source(std::move(archive)), packed;
  TLZH::Compress(source, packed);
  WriteOutput(outPath, packed);
  return 0;
}

// A name from a package becomes a file name only when it cannot reach outside the target folder.
bool IsSafeFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of(std::string("/\\:\0", 4)) == std::string::npos;
}

int Unpack(const std::string& packagePath, const std::string& dir) {
  TSkinReader reader = LoadPackage(packagePath);
  const auto& names = reader.Names();
  for (int i = 0; i < reader.Count(); ++i) {
    if (!IsSafeFileName(names[i])) throw EToolError(packagePath + ": unsafe file name \"" + names[i] + "\"");
    for (int j = 0; j < i; ++j) {
      if (names[j] == names[i]) throw EToolError(packagePath + ": the name \"" + names[i] + "\" occurs twice");
    }
  }
  std::error_code error;
  fs::create_directories(dir, error);
  if (error || !fs::is_directory(dir)) throw EToolError(dir + ": cannot create the directory");
  std::vector<fs::path> written;
  try {
    for (int i = 0; i < reader.Count(); ++i) {
      TMemoryStream content;
      reader.ReadEntry(i, content);
      fs::path target = fs::path(dir) / names[i];
      WriteOutput(target, content);
      written.push_back(target);
    }
  } catch (...) {
    for (const fs::path& path : written) fs::remove(path, error);
    throw;
  }
  return 0;
}

int List(const std::string& packagePath, std::ostream& out) {
  TSkinReader reader = LoadPackage(packagePath);
  out << "format " << reader.FormatCode() << ", " << reader.Count() << " files\n";
  for (int i = 0; i < reader.Count(); ++i) out << reader.FileSize(i) << '\t' << reader.Names()[i] << '\n';
  return 0;
}

int LzhPack(const std::string& in, const std::string& outPath) {
  TMemoryStream source = ReadInput(in), packed;
  if (source.Size() > static_cast<uint64_t>(INT32_MAX)) throw EToolError(in + ": too large to pack");
  TLZH::Compress(source, packed);
  WriteOutput(outPath, packed);
  return 0;
}

int LzhUnpack(const std::string& in, const std::string& outPath) {
  TMemoryStream packed = ReadInput(in), plain;
  try {
    TLZH::Decompress(packed, plain);
  } catch (const ElzhException& error) {
    throw EToolError(in + ": " + error.Message());
  }
  WriteOutput(outPath, plain);
  return 0;
}

// Everything the loader reads, present and usable; exit status 0 only when nothing is missing.
int Check(const std::string& path, std::ostream& out, const TElementCheck& elements) {
  TMemoryStream package = ReadInput(path);
  int problems = CheckPackageStructure(package, out);
  if (elements) {
    problems += elements(package, out);
  } else {
    out << "elements: loading through the skin engine needs the Windows build of skinpack\n";
  }
  out << (problems == 0 ? "complete" : std::to_string(problems) + " problems") << '\n';
  return problems == 0 ? 0 : 1;
}

}  // namespace

int RunSkinpack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const TElementCheck& elements) {
  // A command-line tool reports on stderr: no message box, even on Windows.
  struct TQuietReader {
    TSkinReader::TMessageProc previous = TSkinReader::SetMessageHandler(nullptr);
    ~TQuietReader() { TSkinReader::SetMessageHandler(std::move(previous)); }
  } quiet;
  try {
    const std::string command = args.empty() ? std::string() : args[0];
    if (command == "pack" && args.size() == 3) return Pack(args[1], args[2]);
    if (command == "unpack" && args.size() == 3) return Unpack(args[1], args[2]);
    if (command == "list" && args.size() == 2) return List(args[1], out);
    if (command == "check" && args.size() == 2) return Check(args[1], out, elements);
    if (command == "lzh-pack" && args.size() == 3) return LzhPack(args[1], args[2]);
    if (command == "lzh-unpack" && args.size() == 3) return LzhUnpack(args[1], args[2]);
    err << kUsage << '\n';
    return 2;
  } catch (const std::exception& error) {
    // Exception texts may carry line breaks (the codec's and the archive's messages do not, but a
    // file name can): the report stays on one line.
    std::string message = error.what();
    std::replace(message.begin(), message.end(), '\r', ' ');
    std::replace(message.begin(), message.end(), '\n', ' ');
    err << "skinpack: " << message << '\n';
    return 2;
  }
}
