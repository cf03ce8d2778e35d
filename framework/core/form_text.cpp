#include "framework/core/form_text.h"

#include <cctype>
#include <cstring>

#include "framework/core/text.h"

namespace {

bool IsIdentStart(char ch) { return std::isalpha(static_cast<unsigned char>(ch)) || ch == '_'; }
bool IsIdentChar(char ch) { return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_' || ch == '.'; }

bool IsIdentifier(const std::string& text) {
  if (text.empty() || !IsIdentStart(text[0])) return false;
  for (char ch : text) {
    if (!IsIdentChar(ch)) return false;
  }
  return true;
}

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  ch = LowerCaseChar(ch);
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  return -1;
}

// Recursive-descent reader over the text; every error names the line it was found on.
class TParser {
public:
  TParser(const std::string& text, const TFormTextLimits& limits) : FText(text), FLimits(limits) {}

  TFormObject ParseDocument() {
    TFormObject object = ParseObject(0);
    SkipBlanks();
    if (FPosition < FText.size()) Fail("unexpected text after the last \"end\"");
    return object;
  }

private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw EFormTextError("Form definition, line " + std::to_string(FLine) + ": " + what);
  }

  void CheckDepth(size_t depth) const {
    if (depth > FLimits.MaxDepth) Fail("nesting deeper than " + std::to_string(FLimits.MaxDepth) + " levels");
  }

  void SkipBlanks() {
    while (FPosition < FText.size()) {
      char ch = FText[FPosition];
      if (ch == '\n') {
        ++FLine;
        ++FPosition;
      } else if (static_cast<unsigned char>(ch) <= ' ') {
        ++FPosition;
      } else if (ch == '/' && FPosition + 1 < FText.size() && FText[FPosition + 1] == '/') {
        while (FPosition < FText.size() && FText[FPosition] != '\n') ++FPosition;
      } else {
        break;
      }
    }
  }

  char Peek() {
    SkipBlanks();
    return FPosition < FText.size() ? FText[FPosition] : '\0';
  }

  void Expect(char ch, const std::string& what) {
    if (Peek() != ch) Fail("expected " + what);
    ++FPosition;
  }

  std::string ReadIdentifier(const char* what) {
    if (!IsIdentStart(Peek())) Fail(std::string("expected ") + what);
    size_t start = FPosition;
    while (FPosition < FText.size() && IsIdentChar(FText[FPosition])) ++FPosition;
    return FText.substr(start, FPosition - start);
  }

  bool AtKeyword(const char* keyword) {
    if (!IsIdentStart(Peek())) return false;
    size_t length = std::strlen(keyword);
    if (FText.compare(FPosition, length, keyword) != 0) return false;
    return FPosition + length == FText.size() || !IsIdentChar(FText[FPosition + length]);
  }

  TFormObject ParseObject(size_t depth) {
    CheckDepth(depth);
    if (!AtKeyword("object")) Fail("expected \"object\"");
    TFormObject object;
    object.Line = FLine;
    FPosition += 6;
    object.Name = ReadIdentifier("the component's name");
    Expect(':', "\":\" after the component's name");
    object.ClassName = ReadIdentifier("the component's class name");
    for (;;) {
      if (AtKeyword("end")) {
        FPosition += 3;
        return object;
      }
      if (AtKeyword("object")) {
        object.Children.push_back(ParseObject(depth + 1));
        continue;
      }
      if (Peek() == '\0') Fail("\"end\" of " + object.Name + " is missing");
      object.Properties.push_back(ParseProperty(depth));
    }
  }

  TFormProperty ParseProperty(size_t depth) {
    TFormProperty property;
    SkipBlanks();
    property.Line = FLine;
    if (AtKeyword("object")) Fail("\"object\" cannot stand inside a collection item");
    property.Name = ReadIdentifier("a property name, \"object\" or \"end\"");
    Expect('=', "\"=\" after " + property.Name);
    property.Value = ParseValue(depth + 1);
    return property;
  }

  TFormValue ParseValue(size_t depth) {
    CheckDepth(depth);
    char ch = Peek();
    if (ch == '\'' || ch == '#') return TFormValue::FromString(ReadString());
    if (ch == '-' || ch == '$' || std::isdigit(static_cast<unsigned char>(ch))) return TFormValue::FromInteger(ReadInteger());
    // "end" and "object" close and open components: a value never takes their place.
    if (IsIdentStart(ch) && !AtKeyword("end") && !AtKeyword("object")) {
      return TFormValue::FromIdentifier(ReadIdentifier("a value"));
    }
    if (ch == '[') return ReadSet();
    if (ch == '(') return ReadList(depth);
    if (ch == '{') return ReadBinary();
    if (ch == '<') return ReadCollection(depth);
    Fail("expected a value");
  }

  int64_t ReadInteger() {
    bool negative = FText[FPosition] == '-';
    if (negative) ++FPosition;
    bool hex = FPosition < FText.size() && FText[FPosition] == '$';
    if (hex) ++FPosition;
    uint64_t value = 0;
    size_t digits = 0;
    const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
    while (FPosition < FText.size()) {
      int digit = hex ? HexDigit(FText[FPosition])
                      : (std::isdigit(static_cast<unsigned char>(FText[FPosition])) ? FText[FPosition] - '0' : -1);
      if (digit < 0) break;
      uint64_t base = hex ? 16 : 10;
      if (value > (limit - digit) / base) Fail("integer out of range");
      value = value * base + digit;
      ++FPosition;
      ++digits;
    }
    if (digits == 0) Fail("expected digits");
    if (FPosition < FText.size() && IsIdentChar(FText[FPosition])) Fail("unexpected character after a number");
    return negative ? static_cast<int64_t>(0 - value) : static_cast<int64_t>(value);
  }

  // Quoted runs ('it''s') and character codes (#13) written next to each other form one string.
  std::string ReadString() {
    std::string text;
    for (;;) {
      if (FPosition >= FText.size()) break;
      char ch = FText[FPosition];
      if (ch == '\'') {
        ++FPosition;
        for (;;) {
          if (FPosition >= FText.size() || FText[FPosition] == '\n' || FText[FPosition] == '\r') {
            Fail("string not closed on its line");
          }
          if (FText[FPosition] == '\'') {
            if (FPosition + 1 < FText.size() && FText[FPosition + 1] == '\'') {
              text += '\'';
              FPosition += 2;
              continue;
            }
            ++FPosition;
            break;
          }
          text += FText[FPosition++];
        }
      } else if (ch == '#') {
        ++FPosition;
        uint32_t code = 0;
        size_t digits = 0;
        while (FPosition < FText.size() && std::isdigit(static_cast<unsigned char>(FText[FPosition]))) {
          code = code * 10 + static_cast<uint32_t>(FText[FPosition++] - '0');
          if (code > 0x10FFFF) Fail("character code out of range");
          ++digits;
        }
        if (digits == 0) Fail("expected a character code after \"#\"");
        AppendUtf8(text, code);
      } else {
        break;
      }
    }
    return text;
  }

  TFormValue ReadSet() {
    ++FPosition;
    std::vector<std::string> names;
    if (Peek() != ']') {
      for (;;) {
        names.push_back(ReadIdentifier("a set member"));
        if (Peek() != ',') break;
        ++FPosition;
      }
    }
    Expect(']', "\"]\" closing the set");
    return TFormValue::FromSet(std::move(names));
  }

  TFormValue ReadList(size_t depth) {
    ++FPosition;
    std::vector<TFormValue> items;
    while (Peek() != ')') {
      if (Peek() == '\0') Fail("\")\" closing the list is missing");
      items.push_back(ParseValue(depth + 1));
    }
    ++FPosition;
    return TFormValue::FromList(std::move(items));
  }

  TFormValue ReadBinary() {
    ++FPosition;
    std::vector<uint8_t> bytes;
    int high = -1;
    for (;;) {
      char ch = Peek();
      if (ch == '}') break;
      int digit = HexDigit(ch);
      if (digit < 0) Fail(ch == '\0' ? "\"}\" closing the binary data is missing" : "expected hexadecimal digits");
      ++FPosition;
      if (high < 0) {
        high = digit;
      } else {
        bytes.push_back(static_cast<uint8_t>(high << 4 | digit));
        high = -1;
      }
    }
    if (high >= 0) Fail("binary data with an odd number of hexadecimal digits");
    ++FPosition;
    return TFormValue::FromBytes(std::move(bytes));
  }

  TFormValue ReadCollection(size_t depth) {
    ++FPosition;
    TFormValue value;
    value.Kind = TFormValue::TKind::Collection;
    while (Peek() != '>') {
      if (!AtKeyword("item")) Fail("expected \"item\" or \">\"");
      FPosition += 4;
      std::vector<TFormProperty> members;
      while (!AtKeyword("end")) {
        if (Peek() == '\0') Fail("\"end\" of a collection item is missing");
        members.push_back(ParseProperty(depth + 1));
      }
      FPosition += 3;
      value.Members.push_back(std::move(members));
    }
    ++FPosition;
    return value;
  }

  const std::string& FText;
  TFormTextLimits FLimits;
  size_t FPosition = 0;
  int FLine = 1;
};

// ---- Writing ----------------------------------------------------------------------------------

class TWriter {
public:
  std::string Take() { return std::move(FOut); }

  void WriteObject(const TFormObject& object, int indent) {
    CheckName(object.Name, "component name");
    CheckName(object.ClassName, "class name");
    Line(indent, "object " + object.Name + ": " + object.ClassName);
    for (const TFormProperty& property : object.Properties) WriteProperty(property, indent + 1);
    for (const TFormObject& child : object.Children) WriteObject(child, indent + 1);
    Line(indent, "end");
  }

private:
  static void CheckName(const std::string& name, const char* what) {
    if (!IsIdentifier(name)) throw EFormTextError(std::string("Form definition: \"") + name + "\" is not a valid " + what);
  }

  void Line(int indent, const std::string& text) {
    FOut.append(static_cast<size_t>(indent) * 2, ' ');
    FOut += text;
    FOut += "\r\n";
  }

  void WriteProperty(const TFormProperty& property, int indent) {
    CheckName(property.Name, "property name");
    if (property.Name == "end" || property.Name == "object") {
      throw EFormTextError("Form definition: \"" + property.Name + "\" cannot name a property");
    }
    FOut.append(static_cast<size_t>(indent) * 2, ' ');
    FOut += property.Name + " = ";
    WriteValue(property.Value, indent);
    FOut += "\r\n";
  }

  // Writes a value from the current position; multi-line values continue at indent + 1.
  void WriteValue(const TFormValue& value, int indent) {
    switch (value.Kind) {
      case TFormValue::TKind::Integer: FOut += std::to_string(value.Integer); break;
      case TFormValue::TKind::String: WriteString(value.Text); break;
      case TFormValue::TKind::Identifier:
        CheckName(value.Text, "identifier");
        if (value.Text == "end" || value.Text == "object") {
          throw EFormTextError("Form definition: \"" + value.Text + "\" cannot stand as a value");
        }
        FOut += value.Text;
        break;
      case TFormValue::TKind::Set: {
        FOut += '[';
        for (size_t i = 0; i < value.Names.size(); ++i) {
          CheckName(value.Names[i], "set member");
          if (i) FOut += ", ";
          FOut += value.Names[i];
        }
        FOut += ']';
        break;
      }
      case TFormValue::TKind::List: {
        FOut += '(';
        for (const TFormValue& item : value.Items) {
          FOut += "\r\n";
          FOut.append(static_cast<size_t>(indent + 1) * 2, ' ');
          WriteValue(item, indent + 1);
        }
        FOut += ')';
        break;
      }
      case TFormValue::TKind::Binary: {
        static const char kHex[] = "0123456789ABCDEF";
        FOut += '{';
        for (size_t i = 0; i < value.Bytes.size(); ++i) {
          if (i % 32 == 0) {
            FOut += "\r\n";
            FOut.append(static_cast<size_t>(indent + 1) * 2, ' ');
          }
          FOut += kHex[value.Bytes[i] >> 4];
          FOut += kHex[value.Bytes[i] & 15];
        }
        FOut += '}';
        break;
      }
      case TFormValue::TKind::Collection: {
        FOut += '<';
        for (const auto& members : value.Members) {
          FOut += "\r\n";
          Line(indent + 1, "item");
          for (const TFormProperty& member : members) WriteProperty(member, indent + 2);
          FOut.append(static_cast<size_t>(indent + 1) * 2, ' ');
          FOut += "end";
        }
        FOut += '>';
        break;
      }
    }
  }

  // Printable text between quotes, control characters as #codes, quotes doubled.
  void WriteString(const std::string& text) {
    if (text.empty()) {
      FOut += "''";
      return;
    }
    bool quoted = false;
    for (char ch : text) {
      unsigned char byte = static_cast<unsigned char>(ch);
      if (byte < 32 || byte == 127) {
        if (quoted) FOut += '\'';
        quoted = false;
        FOut += '#' + std::to_string(byte);
        continue;
      }
      if (!quoted) FOut += '\'';
      quoted = true;
      if (ch == '\'') FOut += '\'';
      FOut += ch;
    }
    if (quoted) FOut += '\'';
  }

  std::string FOut;
};

}  // namespace

TFormValue TFormValue::FromInteger(int64_t value) {
  TFormValue v;
  v.Kind = TKind::Integer;
  v.Integer = value;
  return v;
}

TFormValue TFormValue::FromString(std::string text) {
  TFormValue v;
  v.Kind = TKind::String;
  v.Text = std::move(text);
  return v;
}

TFormValue TFormValue::FromIdentifier(std::string name) {
  TFormValue v;
  v.Kind = TKind::Identifier;
  v.Text = std::move(name);
  return v;
}

TFormValue TFormValue::FromSet(std::vector<std::string> names) {
  TFormValue v;
  v.Kind = TKind::Set;
  v.Names = std::move(names);
  return v;
}

TFormValue TFormValue::FromList(std::vector<TFormValue> items) {
  TFormValue v;
  v.Kind = TKind::List;
  v.Items = std::move(items);
  return v;
}

TFormValue TFormValue::FromBytes(std::vector<uint8_t> bytes) {
  TFormValue v;
  v.Kind = TKind::Binary;
  v.Bytes = std::move(bytes);
  return v;
}

bool TFormValue::operator==(const TFormValue& other) const {
  return Kind == other.Kind && Integer == other.Integer && Text == other.Text && Names == other.Names &&
         Items == other.Items && Bytes == other.Bytes && Members == other.Members;
}

const TFormProperty* TFormObject::FindProperty(const std::string& name) const {
  std::string wanted = LowerCase(name);
  for (const TFormProperty& property : Properties) {
    if (LowerCase(property.Name) == wanted) return &property;
  }
  return nullptr;
}

bool TFormObject::operator==(const TFormObject& other) const {
  return Name == other.Name && ClassName == other.ClassName && Properties == other.Properties &&
         Children == other.Children;
}

TFormObject ParseFormText(const std::string& text, const TFormTextLimits& limits) {
  if (text.size() > limits.MaxBytes) {
    throw EFormTextError("Form definition of " + std::to_string(text.size()) + " bytes is larger than the allowed " +
                         std::to_string(limits.MaxBytes));
  }
  return TParser(text, limits).ParseDocument();
}

std::string WriteFormText(const TFormObject& object) {
  TWriter writer;
  writer.WriteObject(object, 0);
  return writer.Take();
}
