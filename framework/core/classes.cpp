#include "framework/core/classes.h"

#include <algorithm>
#include <map>

#include "framework/core/text.h"

namespace {

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && LowerCase(a) == LowerCase(b);
}

bool IsValidName(const std::string& name) {
  if (name.empty()) return true;  // components may be nameless
  auto letter = [](char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '_'; };
  if (!letter(name[0])) return false;
  return std::all_of(name.begin(), name.end(), [&](char ch) { return letter(ch) || (ch >= '0' && ch <= '9'); });
}

std::map<std::string, const TClassInfo*>& Registry() {
  static std::map<std::string, const TClassInfo*> classes;
  return classes;
}

bool IsOrdinal(TPropertyKind kind) {
  return kind == TPropertyKind::Integer || kind == TPropertyKind::Enumeration || kind == TPropertyKind::Set ||
         kind == TPropertyKind::Colour;
}

}  // namespace

// ---- Class descriptions -------------------------------------------------------------------------

bool TPropertyInfo::ReadOnly() const {
  return !SetOrdinal && !SetString && !SetWide && !SetObjectValue && !SetMethod;
}

bool TClassInfo::InheritsFrom(const std::string& className) const {
  for (const TClassInfo* info = this; info; info = info->Parent) {
    if (SameText(info->Name, className)) return true;
  }
  return false;
}

const TPropertyInfo* TClassInfo::FindProperty(const std::string& name) const {
  for (const TClassInfo* info = this; info; info = info->Parent) {
    for (const TPropertyInfo& property : info->Properties) {
      if (SameText(property.Name, name)) return &property;
    }
  }
  return nullptr;
}

std::vector<const TPropertyInfo*> TClassInfo::AllProperties() const {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* info = this; info; info = info->Parent) chain.push_back(info);
  std::vector<const TPropertyInfo*> all;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    for (const TPropertyInfo& property : (*it)->Properties) all.push_back(&property);
  }
  return all;
}

bool TClassInfo::FindMethod(const std::string& name, TPersistent& object, TMethod& method) const {
  for (const TClassInfo* info = this; info; info = info->Parent) {
    for (const auto& [methodName, make] : info->Methods) {
      if (SameText(methodName, name)) {
        method = make(object);
        return true;
      }
    }
  }
  return false;
}

void RegisterComponentClass(const TClassInfo& info) { Registry()[LowerCase(info.Name)] = &info; }

const TClassInfo* FindComponentClass(const std::string& name) {
  auto found = Registry().find(LowerCase(name));
  return found == Registry().end() ? nullptr : found->second;
}

const TClassInfo& TPersistent::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPersistent>("TPersistent", nullptr).Build();
  return info;
}

// ---- Components ---------------------------------------------------------------------------------

const TClassInfo& TComponent::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TComponent>("TComponent", &TPersistent::StaticClassInfo())
                                     .String("Name", &TComponent::Name, &TComponent::SetName)
                                     .Integer("Tag", &TComponent::Tag, &TComponent::SetTag)
                                     .Build();
  return info;
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  FDestroying = true;
  // Those who asked to be told, then the owned components, the last created first.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& theirs = other->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    other->Notification(this, true);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  FDestroying = true;
  while (!FComponents.empty()) {
    TComponent* last = FComponents.back();
    RemoveComponent(last);
    delete last;
  }
}

void TComponent::InsertComponent(TComponent* component) {
  if (component->FOwner) component->FOwner->RemoveComponent(component);
  FComponents.push_back(component);
  component->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* component) {
  auto found = std::find(FComponents.begin(), FComponents.end(), component);
  if (found == FComponents.end()) return;
  FComponents.erase(found);
  component->FOwner = nullptr;
  Notification(component, true);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* component : FComponents) {
    if (SameText(component->FName, name)) return component;
  }
  return nullptr;
}

void TComponent::SetName(const std::string& name) {
  if (name == FName) return;
  if (!IsValidName(name)) throw EComponentError("\"" + name + "\" is not a valid component name");
  if (FOwner && !name.empty()) {
    TComponent* other = FOwner->FindComponent(name);
    if (other && other != this) throw EComponentError("A component named " + name + " already exists");
  }
  FName = name;
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(component);
    component->FFreeNotifies.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component), FFreeNotifies.end());
  auto& theirs = component->FFreeNotifies;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

// ---- Published properties by name ----------------------------------------------------------------

const TPropertyInfo* FindProperty(const TPersistent* object, const std::string& name) {
  return object ? object->ClassInfo().FindProperty(name) : nullptr;
}

int64_t GetOrdProp(const TPersistent* object, const std::string& name) {
  const TPropertyInfo* property = FindProperty(object, name);
  if (!property || !IsOrdinal(property->Kind)) return -1;
  return property->GetOrdinal(*object);
}

void SetOrdProp(TPersistent* object, const std::string& name, int64_t value) {
  const TPropertyInfo* property = FindProperty(object, name);
  if (property && IsOrdinal(property->Kind) && property->SetOrdinal) property->SetOrdinal(*object, value);
}

std::string GetEnumProp(const TPersistent* object, const std::string& name) {
  const TPropertyInfo* property = FindProperty(object, name);
  if (!property || property->Kind != TPropertyKind::Enumeration) return std::string();
  int64_t value = property->GetOrdinal(*object);
  if (value < 0 || value >= static_cast<int64_t>(property->ValueNames.size())) return std::to_string(value);
  return property->ValueNames[static_cast<size_t>(value)];
}

bool SetEnumProp(TPersistent* object, const std::string& name, const std::string& value) {
  const TPropertyInfo* property = FindProperty(object, name);
  if (!property || property->Kind != TPropertyKind::Enumeration || !property->SetOrdinal) return false;
  for (size_t i = 0; i < property->ValueNames.size(); ++i) {
    if (SameText(property->ValueNames[i], value)) {
      property->SetOrdinal(*object, static_cast<int64_t>(i));
      return true;
    }
  }
  return false;
}

std::string GetSetProp(const TPersistent* object, const std::string& name) {
  const TPropertyInfo* property = FindProperty(object, name);
  if (!property || property->Kind != TPropertyKind::Set) return std::string();
  uint64_t bits = static_cast<uint64_t>(property->GetOrdinal(*object));
  std::string text = "[";
  for (size_t i = 0; i < property->ValueNames.size() && i < 64; ++i) {
    if (bits >> i & 1) {
      if (text.size() > 1) text += ',';
      text += property->ValueNames[i];
    }
  }
  return text + "]";
}

bool SetSetProp(TPersistent* object, const std::string& name, const std::string& value) {
  const TPropertyInfo* property = FindProperty(object, name);
  if (!property || property->Kind != TPropertyKind::Set || !property->SetOrdinal) return false;
  std::string inner = value;
  if (!inner.empty() && inner.front() == '[') inner.erase(0, 1);
  if (!inner.empty() && inner.back() == ']') inner.pop_back();
  uint64_t bits = 0;
  size_t start = 0;
  while (start <= inner.size()) {
    size_t comma = inner.find(',', start);
    if (comma == std::string::npos) comma = inner.size();
    std::string member = inner.substr(start, comma - start);
    member.erase(0, member.find_first_not_of(" \t"));
    member.erase(member.find_last_not_of(" \t") + 1);
    if (!member.empty()) {
      size_t i = 0;
      while (i < property->ValueNames.size() && !SameText(property->ValueNames[i], member)) ++i;
      if (i == property->ValueNames.size() || i >= 64) return false;
      bits |= uint64_t(1) << i;
    }
    start = comma + 1;
  }
  property->SetOrdinal(*object, static_cast<int64_t>(bits));
  return true;
}

std::string GetStrProp(const TPersistent* object, const std::string& name) {
  const TPropertyInfo* property = FindProperty(object, name);
  if (!property) return std::string();
  if (property->Kind == TPropertyKind::String) return property->GetString(*object);
  if (property->Kind == TPropertyKind::WideString) return WideToUtf8(property->GetWide(*object));
  return std::string();
}

void SetStrProp(TPersistent* object, const std::string& name, const std::string& value) {
  const TPropertyInfo* property = FindProperty(object, name);
  if (!property) return;
  if (property->Kind == TPropertyKind::String && property->SetString) property->SetString(*object, value);
  if (property->Kind == TPropertyKind::WideString && property->SetWide) property->SetWide(*object, Utf8ToWide(value));
}

std::wstring GetWideStrProp(const TPersistent* object, const std::string& name) {
  const TPropertyInfo* property = FindProperty(object, name);
  if (!property) return std::wstring();
  if (property->Kind == TPropertyKind::WideString) return property->GetWide(*object);
  if (property->Kind == TPropertyKind::String) return Utf8ToWide(property->GetString(*object));
  return std::wstring();
}

void SetWideStrProp(TPersistent* object, const std::string& name, const std::wstring& value) {
  const TPropertyInfo* property = FindProperty(object, name);
  if (!property) return;
  if (property->Kind == TPropertyKind::WideString && property->SetWide) property->SetWide(*object, value);
  if (property->Kind == TPropertyKind::String && property->SetString) property->SetString(*object, WideToUtf8(value));
}

TPersistent* GetObjectProp(const TPersistent* object, const std::string& name, const std::string& className) {
  const TPropertyInfo* property = FindProperty(object, name);
  if (!property || property->Kind != TPropertyKind::Object) return nullptr;
  TPersistent* value = property->GetObjectValue(*object);
  if (value && !className.empty() && !value->InheritsFrom(className)) return nullptr;
  return value;
}

void SetObjectProp(TPersistent* object, const std::string& name, TPersistent* value) {
  const TPropertyInfo* property = FindProperty(object, name);
  if (property && property->Kind == TPropertyKind::Object && property->SetObjectValue) property->SetObjectValue(*object, value);
}

bool GetMethodProp(const TPersistent* object, const std::string& name, TMethod& method) {
  const TPropertyInfo* property = FindProperty(object, name);
  if (!property || property->Kind != TPropertyKind::Event) return false;
  method = property->GetMethod(*object);
  return true;
}

void SetMethodProp(TPersistent* object, const std::string& name, const TMethod& method) {
  const TPropertyInfo* property = FindProperty(object, name);
  if (property && property->Kind == TPropertyKind::Event && property->SetMethod) property->SetMethod(*object, method);
}
