#include "framework/graphics/pictures.h"

#include <algorithm>
#include <cctype>

#include "framework/graphics/bitmaps.h"
#include "framework/core/text.h"

const TClassInfo& TGraphic::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TGraphic>("TGraphic", &TPersistent::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TPicture::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPicture>("TPicture", &TPersistent::StaticClassInfo()).Build();
  return info;
}

void TGraphic::SetTransparent(bool value) {
  if (value == FTransparent) return;
  FTransparent = value;
  Changed();
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  TMemoryStream stream;
  stream.LoadFromFile(fileName);
  LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& fileName) const {
  TMemoryStream stream;
  SaveToStream(stream);
  stream.SaveToFile(fileName);
}

// ---- Registry -----------------------------------------------------------------------------------

namespace {

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

std::vector<TGraphicFormat>& Formats() {
  static std::vector<TGraphicFormat> formats = {
      {"BMP", "Bitmaps", "TBitmap", [] { return std::unique_ptr<TGraphic>(new TBitmap()); }}};
  return formats;
}

}  // namespace

void RegisterFileFormat(const std::string& extension, const std::string& description,
                        std::function<std::unique_ptr<TGraphic>()> create, const std::string& className) {
  TGraphicFormat format{Upper(extension), description, className, std::move(create)};
  if (!format.Extension.empty() && format.Extension[0] == '.') format.Extension.erase(0, 1);
  for (TGraphicFormat& existing : Formats()) {
    if (existing.Extension == format.Extension) {
      existing = std::move(format);
      return;
    }
  }
  Formats().push_back(std::move(format));
}

const TGraphicFormat* FindGraphicFormatByClassName(const std::string& className) {
  std::string wanted = Upper(className);
  for (const TGraphicFormat& format : Formats()) {
    if (Upper(format.ClassName) == wanted) return &format;
  }
  return nullptr;
}

const TGraphicFormat* FindGraphicFormatByExtension(const std::string& extension) {
  std::string wanted = Upper(extension);
  if (!wanted.empty() && wanted[0] == '.') wanted.erase(0, 1);
  for (const TGraphicFormat& format : Formats()) {
    if (format.Extension == wanted) return &format;
  }
  return nullptr;
}

// ---- TPicture -----------------------------------------------------------------------------------

namespace {

std::unique_ptr<TGraphic> CreateGraphic(const std::string& className) {
  const TGraphicFormat* format = FindGraphicFormatByClassName(className);
  if (!format) throw EInvalidGraphic("Unknown picture class " + className);
  return format->Create();
}

}  // namespace

TPicture::~TPicture() {
  // The graphic must not call back into a picture that is going.
  if (FGraphic) FGraphic->OnChange = nullptr;
}

void TPicture::Take(std::unique_ptr<TGraphic> graphic) {
  if (FGraphic) FGraphic->OnChange = nullptr;
  FGraphic = std::move(graphic);
  if (FGraphic) FGraphic->OnChange = [this] { Changed(); };
  Changed();
}

void TPicture::SetGraphic(const TGraphic* value) {
  if (!value) {
    Take(nullptr);
    return;
  }
  if (value == FGraphic.get()) return;
  std::unique_ptr<TGraphic> copy = CreateGraphic(value->ClassName());
  copy->Assign(*value);
  Take(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic.get())) Take(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(FGraphic.get());
}

int TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
int TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::Assign(const TPicture& source) {
  if (&source != this) SetGraphic(source.Graphic());
}

void TPicture::Clear() { Take(nullptr); }

void TPicture::LoadFromFile(const std::string& fileName) {
  size_t dot = fileName.find_last_of('.');
  size_t slash = fileName.find_last_of("\\/");
  std::string extension = dot == std::string::npos || (slash != std::string::npos && dot < slash)
                              ? std::string()
                              : fileName.substr(dot + 1);
  const TGraphicFormat* format = FindGraphicFormatByExtension(extension);
  if (!format) throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
  std::unique_ptr<TGraphic> graphic = format->Create();
  graphic->LoadFromFile(fileName);
  Take(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName) const {
  if (FGraphic) FGraphic->SaveToFile(fileName);
}

bool TPicture::ReadData(const std::string& name, const std::vector<uint8_t>& bytes) {
  if (LowerCase(name) != "data") return false;
  if (bytes.empty() || bytes[0] == 0) {
    Take(nullptr);
    return true;
  }
  size_t length = bytes[0];
  if (bytes.size() < 1 + length) throw EInvalidGraphic("Picture data cut short in its class name");
  std::unique_ptr<TGraphic> graphic = CreateGraphic(std::string(bytes.begin() + 1, bytes.begin() + 1 + length));
  TMemoryStream stream(std::vector<uint8_t>(bytes.begin() + 1 + length, bytes.end()));
  graphic->ReadPictureData(stream);
  Take(std::move(graphic));
  return true;
}

void TPicture::WriteData(std::vector<std::pair<std::string, std::vector<uint8_t>>>& properties) const {
  if (!FGraphic) return;
  const std::string& className = FGraphic->ClassName();
  TMemoryStream stream;
  uint8_t length = static_cast<uint8_t>(std::min<size_t>(className.size(), 255));
  stream.Write(&length, 1);
  stream.Write(className.data(), length);
  FGraphic->WritePictureData(stream);
  properties.emplace_back("Data", stream.TakeBytes());
}
