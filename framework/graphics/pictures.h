// Pictures: the abstract TGraphic, TPicture holding one graphic of any registered class, and the
// registry of picture classes by class name and file extension ("BMP" is TBitmap).
#pragma once

#include "framework/win32.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/classes.h"
#include "framework/core/exceptions.h"
#include "framework/core/streams.h"

class TCanvas;
class TBitmap;

// A picture that cannot be read, or a class or file extension nobody registered.
class EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};

// An image that can be loaded, saved and drawn into a rectangle of a canvas.
class TGraphic : public TPersistent {
  CORVALE_DECLARE_CLASS()

public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const = 0;
  // Draws the image scaled to rect.
  virtual void Draw(TCanvas& canvas, const RECT& rect) = 0;
  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) const = 0;
  // A copy of source; a class that cannot take source's kind throws EInvalidGraphic.
  virtual void Assign(const TGraphic& source) = 0;
  virtual bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool value);

  // The graphic's part of a picture's stored "Data": the file by default.
  virtual void ReadPictureData(TStream& stream) { LoadFromStream(stream); }
  virtual void WritePictureData(TStream& stream) const { SaveToStream(stream); }

  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

  // Told after every change of the image (a picture passes it on to its own listener).
  std::function<void()> OnChange;

protected:
  void Changed() {
    if (OnChange) OnChange();
  }

private:
  bool FTransparent = false;
};

// One registered picture class.
struct TGraphicFormat {
  std::string Extension;     // upper case, no dot: "BMP"
  std::string Description;   // "Bitmaps"
  std::string ClassName;     // "TBitmap"
  std::function<std::unique_ptr<TGraphic>()> Create;
};

// Registers (or replaces) the class for an extension. The framework registers "BMP" itself.
void RegisterFileFormat(const std::string& extension, const std::string& description,
                        std::function<std::unique_ptr<TGraphic>()> create, const std::string& className);
// Case-insensitive lookups; null when nothing is registered. An extension may come with its dot.
const TGraphicFormat* FindGraphicFormatByClassName(const std::string& className);
const TGraphicFormat* FindGraphicFormatByExtension(const std::string& extension);

// Holds at most one graphic of any registered class. Its stored "Data" is the graphic's class name
// (one length byte, then the name) followed by the graphic's own data.
class TPicture : public TPersistent {
  CORVALE_DECLARE_CLASS()

public:
  TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;
  ~TPicture() override;

  TGraphic* Graphic() const { return FGraphic.get(); }
  // Keeps a copy of value (or becomes empty for null).
  void SetGraphic(const TGraphic* value);
  // The graphic as a bitmap; any other graphic is replaced by a new empty bitmap first.
  TBitmap* Bitmap();
  int Width() const;
  int Height() const;
  void Assign(const TPicture& source);
  void Clear();

  // By the file's extension; EInvalidGraphic for an unknown one.
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

  bool ReadData(const std::string& name, const std::vector<uint8_t>& bytes) override;
  void WriteData(std::vector<std::pair<std::string, std::vector<uint8_t>>>& properties) const override;

  std::function<void()> OnChange;

private:
  void Take(std::unique_ptr<TGraphic> graphic);
  void Changed() {
    if (OnChange) OnChange();
  }

  std::unique_ptr<TGraphic> FGraphic;
};
