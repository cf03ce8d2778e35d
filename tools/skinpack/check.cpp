#include "tools/skinpack/check.h"

#include <ostream>

#include "framework/core/bmp_format.h"
#include "framework/core/text.h"
#include "skin/data/archive.h"
#include "skin/data/quick_ini.h"

const std::vector<TSkinSectionKeys>& LoaderSections() {
  static const std::vector<TSkinSectionKeys> sections = {
      {"TitlebarSkin", {}},
      {"Personality", {"Left", "Right", "Top", "Bottom", "TextBack", "menuBar"}},
      {"Fonts", {}},
      {"Colours", {}},
      {"Customcolors", {}},
      {"MDICONTROLS", {"Image"}},
      {"Buttons", {"Bitmap", "CheckButton", "RadioButton"}},
      {"Progress", {"Bitmap"}},
      {"Progress.Chunk", {"Image"}},
      {"GroupBoxEdge", {"Image"}},
      {"GroupBox", {"Image"}},
      {"Tabs", {"Image", "Border"}},
      {"StatusBarEdges", {"Image"}},
      {"Tab.Pane", {"Image"}},
      {"ToolBars", {"Image"}},
      {"ComboButton", {"Image"}},  // "****" is read too, deliberately never present
      {"SunkEdge", {"Image"}},
      {"ExtraImages", {"Image"}},
      {"Headerbar", {"Image"}},
      {"MenuItem", {"Image"}},
      {"MenuBackground", {"Image"}},
      {"Scrollbar", {"Image"}},
      {"HorzScroll", {"Image"}},
      {"VertScroll", {"Image"}},
      {"HorzScrollThumb", {"Image"}},
      {"VertScrollThumb", {"Image"}},
      {"Trackbar.ThumbHorz", {"Image"}},
      {"Trackbar.ThumbVert", {"Image"}},
      {"Trackbar.ThumbLeft", {"Image"}},
      {"Trackbar.ThumbRight", {"Image"}},
      {"Trackbar.ThumbUp", {"Image"}},
      {"Trackbar.ThumbDown", {"Image"}},
      {"UpDown.Horz", {"Image", "GlyphImage"}},
      {"UpDown.Vert", {"Image", "GlyphImage"}},
      {"Track", {"Image"}},
      {"TRACKVERT", {"Image"}},
  };
  return sections;
}

namespace {

// An image key's file: the name after the last separator, lower-case ".bmp", in the archive and
// readable as a BMP. Returns false (and says why) when it is not.
bool CheckImage(const TSkinReader& reader, const std::string& section, const std::string& key,
                const std::string& value, std::ostream& out) {
  size_t separator = value.find_last_of("\\/:");
  std::string name = separator == std::string::npos ? value : value.substr(separator + 1);
  if (name.size() < 5 || name.substr(name.size() - 4) != ".bmp") {
    out << "  [" << section << "] " << key << " = " << value << ": not a lower-case .bmp name, the loader ignores it\n";
    return false;
  }
  TMemoryStream stream;
  reader.readfile(name, stream);
  if (stream.Size() == 0) {
    out << "  [" << section << "] " << key << " = " << value << ": not in the package\n";
    return false;
  }
  try {
    TBmpImage image = ReadBmp(stream.Memory(), static_cast<size_t>(stream.Size()), 1u << 26);
    out << "  [" << section << "] " << key << " = " << name << ": " << image.Width << " x " << image.Height << ", "
        << image.BitsPerPixel << " bits\n";
    return true;
  } catch (const std::exception& error) {
    out << "  [" << section << "] " << key << " = " << name << ": " << error.what() << '\n';
    return false;
  }
}

}  // namespace

int CheckPackageStructure(TMemoryStream& package, std::ostream& out) {
  TSkinReader reader;
  package.SetPosition(0);
  if (!reader.Loadfromstream(package)) {
    out << "not a skin package: " << reader.LastError() << '\n';
    return 1;
  }
  out << "format " << reader.FormatCode() << ", " << reader.Count() << " files\n";
  TMemoryStream description;
  std::string iniName;
  reader.readIni(".ini", description, iniName);
  if (description.Size() == 0) {
    out << "no description (.ini) in the package\n";
    return 1;
  }
  TQuickIni ini;
  description.SetPosition(0);
  ini.LoadFromStream(&description);
  std::vector<std::string> present;
  ini.ReadSections(present);
  auto has = [&](const std::string& section) {
    for (const std::string& name : present) {
      if (LowerCase(name) == LowerCase(section)) return true;
    }
    return false;
  };
  int problems = 0;
  out << "description " << iniName << '\n';
  for (const TSkinSectionKeys& entry : LoaderSections()) {
    if (!has(entry.Section)) {
      out << "  [" << entry.Section << "]: missing\n";
      ++problems;
      continue;
    }
    for (const char* key : entry.ImageKeys) {
      std::string value = ini.ReadString(entry.Section, key, "");
      if (value.empty()) {
        out << "  [" << entry.Section << "] " << key << ": missing\n";
        ++problems;
      } else if (!CheckImage(reader, entry.Section, key, value, out)) {
        ++problems;
      }
    }
  }
  // Title-bar buttons: every BUTTON... section but the push-button ones.
  int titleButtons = 0;
  for (const std::string& name : present) {
    std::string lower = LowerCase(name);
    if (lower.compare(0, 6, "button") != 0 || lower == "buttons" || lower == "button" || lower == "button.radio" ||
        lower == "button.checkbox") {
      continue;
    }
    ++titleButtons;
    std::string image = ini.ReadString(name, "ButtonImage", "");
    if (!image.empty() && !CheckImage(reader, name, "ButtonImage", image, out)) ++problems;
  }
  out << titleButtons << " title-bar button sections\n";
  if (titleButtons == 0) {
    out << "  no title-bar buttons\n";
    ++problems;
  }
  return problems;
}
