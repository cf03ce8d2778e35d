#include "framework/core/form_reader.h"

#include <utility>
#include <vector>

#include "framework/core/collection.h"
#include "framework/core/text.h"

namespace {

struct TColourName {
  const char* Name;
  uint32_t Value;
};

constexpr uint32_t kSystem = 0x80000000u;
constexpr TColourName kColourNames[] = {
    {"clBlack", 0x000000},          {"clMaroon", 0x000080},         {"clGreen", 0x008000},
    {"clOlive", 0x008080},          {"clNavy", 0x800000},           {"clPurple", 0x800080},
    {"clTeal", 0x808000},           {"clGray", 0x808080},           {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},            {"clLime", 0x00FF00},           {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},           {"clFuchsia", 0xFF00FF},        {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},          {"clNone", 0x1FFFFFFF},         {"clDefault", 0x20000000},
    {"clScrollBar", kSystem | 0},   {"clBackground", kSystem | 1},  {"clActiveCaption", kSystem | 2},
    {"clInactiveCaption", kSystem | 3}, {"clMenu", kSystem | 4},    {"clWindow", kSystem | 5},
    {"clWindowFrame", kSystem | 6}, {"clMenuText", kSystem | 7},    {"clWindowText", kSystem | 8},
    {"clCaptionText", kSystem | 9}, {"clActiveBorder", kSystem | 10}, {"clInactiveBorder", kSystem | 11},
    {"clAppWorkSpace", kSystem | 12}, {"clHighlight", kSystem | 13}, {"clHighlightText", kSystem | 14},
    {"clBtnFace", kSystem | 15},    {"clBtnShadow", kSystem | 16},  {"clGrayText", kSystem | 17},
    {"clBtnText", kSystem | 18},    {"clInactiveCaptionText", kSystem | 19}, {"clBtnHighlight", kSystem | 20},
    {"cl3DDkShadow", kSystem | 21}, {"cl3DLight", kSystem | 22},    {"clInfoText", kSystem | 23},
    {"clInfoBk", kSystem | 24},
};

const char* KindName(TFormValue::TKind kind) {
  switch (kind) {
    case TFormValue::TKind::Integer: return "a number";
    case TFormValue::TKind::String: return "a string";
    case TFormValue::TKind::Identifier: return "a name";
    case TFormValue::TKind::Set: return "a set";
    case TFormValue::TKind::List: return "a list";
    case TFormValue::TKind::Binary: return "binary data";
    case TFormValue::TKind::Collection: return "a collection";
  }
  return "a value";
}

class TReader {
public:
  TReader(TComponent& root, const TFormReadOptions& options) : FRoot(root) {
    FScreen = options.ScreenPixelsPerInch;
  }

  void Read(const TFormObject& definition) {
    if (const TFormProperty* design = definition.FindProperty("PixelsPerInch")) {
      if (design->Value.Kind == TFormValue::TKind::Integer && design->Value.Integer > 0 && FScreen > 0 &&
          design->Value.Integer != FScreen) {
        FDesign = static_cast<int>(design->Value.Integer);
      }
    }
    FRoot.BeginLoading();
    FLoaded.push_back(&FRoot);
    try {
      FRoot.SetName(definition.Name);
    } catch (const Exception& error) {
      Fail(definition.Name, definition.Line, error.Message());
    }
    ReadProperties(FRoot, definition);
    for (const TFormObject& child : definition.Children) ReadChild(child, FRoot);
    // References to other components are set once every component exists.
    for (const TFixup& fixup : FFixups) {
      TComponent* target = fixup.Target == FRoot.Name() ? &FRoot : FRoot.FindComponent(fixup.Target);
      if (!target) Fail(fixup.Where, fixup.Line, "no component named " + fixup.Target);
      fixup.Property->SetObjectValue(*fixup.Object, target);
    }
    for (TComponent* component : FLoaded) component->Loaded();
  }

private:
  struct TFixup {
    TPersistent* Object;
    const TPropertyInfo* Property;
    std::string Target;
    std::string Where;
    int Line;
  };

  [[noreturn]] static void Fail(const std::string& where, int line, const std::string& what) {
    throw EFormReadError("Error reading " + where + (line ? " (line " + std::to_string(line) + ")" : "") + ": " +
                         what);
  }

  void ReadChild(const TFormObject& definition, TComponent& parent) {
    const TClassInfo* info = FindComponentClass(definition.ClassName);
    if (!info || !info->Create) Fail(definition.Name, definition.Line, "class " + definition.ClassName + " not found");
    TComponent* component = info->Create(&FRoot);
    component->BeginLoading();
    FLoaded.push_back(component);
    try {
      component->SetName(definition.Name);
    } catch (const Exception& error) {
      Fail(definition.Name, definition.Line, error.Message());
    }
    component->SetParentComponent(&parent);
    ReadProperties(*component, definition);
    for (const TFormObject& child : definition.Children) ReadChild(child, *component);
  }

  void ReadProperties(TComponent& component, const TFormObject& definition) {
    for (const TFormProperty& property : definition.Properties) {
      std::string where = (definition.Name.empty() ? definition.ClassName : definition.Name) + "." + property.Name;
      try {
        if (FDesign && property.Value.Kind == TFormValue::TKind::Integer && IsScaledLength(property.Name)) {
          TFormValue scaled = TFormValue::FromInteger(ScaleLength(property.Value.Integer, FScreen, FDesign));
          ReadProperty(component, property.Name, scaled, where, property.Line);
          continue;
        }
        ReadProperty(component, property.Name, property.Value, where, property.Line);
      } catch (const EFormReadError&) {
        throw;
      } catch (const Exception& error) {
        Fail(where, property.Line, error.Message());
      }
    }
  }

  // A dotted name walks through object properties: "Font.Height" sets Height of the Font object.
  // Binary data and lists that no object property leads to go to the object as a whole
  // ("Lines.Strings", "Picture.Data"), which may define them itself.
  void ReadProperty(TPersistent& target, const std::string& name, const TFormValue& value, const std::string& where,
                    int line) {
    size_t dot = name.find('.');
    bool defined = value.Kind == TFormValue::TKind::Binary || value.Kind == TFormValue::TKind::List;
    if (dot != std::string::npos) {
      if (TPersistent* inner = GetObjectProp(&target, name.substr(0, dot))) {
        ReadProperty(*inner, name.substr(dot + 1), value, where, line);
        return;
      }
      if (!defined) Fail(where, line, "no object property " + name.substr(0, dot));
    }
    if (value.Kind == TFormValue::TKind::Binary) {
      if (!target.ReadData(name, value.Bytes)) Fail(where, line, "no binary property " + name);
      return;
    }
    if (value.Kind == TFormValue::TKind::List) {
      std::vector<std::string> items;
      for (const TFormValue& item : value.Items) {
        if (item.Kind != TFormValue::TKind::String) Fail(where, line, "list items must be strings");
        items.push_back(item.Text);
      }
      if (!target.ReadList(name, items)) Fail(where, line, "no list property " + name);
      return;
    }
    const TPropertyInfo* property = FindProperty(&target, name);
    if (!property) Fail(where, line, "no property " + name + " in " + target.ClassName());
    if (value.Kind == TFormValue::TKind::Collection) {
      // Items are filled in place: the collection object itself stays.
      auto* collection = dynamic_cast<TCollection*>(GetObjectProp(&target, name));
      if (!collection) Fail(where, line, name + " is not a collection");
      collection->Clear();
      for (size_t i = 0; i < value.Members.size(); ++i) {
        TCollectionItem* item = collection->Add();
        for (const TFormProperty& member : value.Members[i]) {
          ReadProperty(*item, member.Name, member.Value, where + "[" + std::to_string(i) + "]." + member.Name,
                       member.Line);
        }
      }
      return;
    }
    if (property->ReadOnly()) Fail(where, line, "property " + name + " cannot be set");
    auto expect = [&](TFormValue::TKind kind) {
      if (value.Kind != kind) {
        Fail(where, line, std::string("expected ") + KindName(kind) + ", found " + KindName(value.Kind));
      }
    };
    switch (property->Kind) {
      case TPropertyKind::Integer:
        expect(TFormValue::TKind::Integer);
        property->SetOrdinal(target, value.Integer);
        break;
      case TPropertyKind::Colour: {
        int64_t colour = value.Integer;
        if (value.Kind == TFormValue::TKind::Identifier) {
          if (!IdentToColor(value.Text, colour)) Fail(where, line, "unknown colour " + value.Text);
        } else {
          expect(TFormValue::TKind::Integer);
        }
        property->SetOrdinal(target, colour);
        break;
      }
      case TPropertyKind::Enumeration:
        expect(TFormValue::TKind::Identifier);
        if (!SetEnumProp(&target, name, value.Text)) Fail(where, line, "unknown value " + value.Text);
        break;
      case TPropertyKind::Set: {
        expect(TFormValue::TKind::Set);
        std::string text = "[";
        for (const std::string& member : value.Names) text += (text.size() > 1 ? "," : "") + member;
        if (!SetSetProp(&target, name, text + "]")) Fail(where, line, "unknown member in " + text + "]");
        break;
      }
      case TPropertyKind::String:
      case TPropertyKind::WideString:
        expect(TFormValue::TKind::String);
        SetStrProp(&target, name, value.Text);
        break;
      case TPropertyKind::Object:
        expect(TFormValue::TKind::Identifier);
        FFixups.push_back({&target, property, value.Text, where, line});
        break;
      case TPropertyKind::Event: {
        expect(TFormValue::TKind::Identifier);
        TMethod method;
        if (!FRoot.ClassInfo().FindMethod(value.Text, FRoot, method)) {
          Fail(where, line, "no method " + value.Text + " in " + FRoot.ClassName());
        }
        property->SetMethod(target, method);
        break;
      }
    }
  }

  static bool IsScaledLength(const std::string& name) {
    std::string lower = LowerCase(name);
    for (const char* scaled : {"left", "top", "width", "height", "clientwidth", "clientheight", "font.height"}) {
      if (lower == scaled) return true;
    }
    return false;
  }

  TComponent& FRoot;
  int FScreen = 0;
  int FDesign = 0;  // non-zero when lengths are scaled from this resolution to FScreen
  std::vector<TComponent*> FLoaded;
  std::vector<TFixup> FFixups;
};

}  // namespace

bool IdentToColor(const std::string& name, int64_t& colour) {
  std::string lower = LowerCase(name);
  for (const TColourName& entry : kColourNames) {
    if (LowerCase(entry.Name) == lower) {
      colour = static_cast<int32_t>(entry.Value);
      return true;
    }
  }
  return false;
}

int64_t ScaleLength(int64_t value, int screen, int design) {
  if (design <= 0) return value;
  int64_t product = value * screen;
  return product >= 0 ? (product + design / 2) / design : -((-product + design / 2) / design);
}

void ReadComponent(TComponent& root, const TFormObject& definition, const TFormReadOptions& options) {
  TReader(root, options).Read(definition);
}
