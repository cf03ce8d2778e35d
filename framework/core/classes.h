// The framework's object model, pure code: classes that describe themselves (TClassInfo), published
// properties read and written by name, events as bound methods, and components that own and free
// each other. Controls, forms and the form reader build on it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/text.h"

class TPersistent;
class TComponent;

// A bound method: the code identifies the handler, the data is the object it runs on. Two methods
// are equal when both match, so an event can be saved, compared and put back.
struct TMethod {
  using TCode = void (*)();
  TCode Code = nullptr;
  void* Data = nullptr;
  bool operator==(const TMethod& other) const { return Code == other.Code && Data == other.Data; }
  bool operator!=(const TMethod& other) const { return !(*this == other); }
  bool Assigned() const { return Code != nullptr; }
};

// An event property's value: a member function bound to its object through a per-member thunk, so
// binding the same member of the same object twice gives equal methods.
template <class... Args>
class TEvent {
public:
  using TThunk = void (*)(void* data, Args... args);

  TEvent() = default;
  explicit TEvent(TMethod method) : FMethod(method) {}

  template <auto Member, class C>
  static TEvent Bind(C* object) {
    TThunk thunk = [](void* data, Args... args) { (static_cast<C*>(data)->*Member)(args...); };
    return TEvent(TMethod{reinterpret_cast<TMethod::TCode>(thunk), object});
  }

  void operator()(Args... args) const {
    if (FMethod.Code) reinterpret_cast<TThunk>(FMethod.Code)(FMethod.Data, args...);
  }
  bool Assigned() const { return FMethod.Assigned(); }
  const TMethod& Method() const { return FMethod; }
  void SetMethod(const TMethod& method) { FMethod = method; }
  bool operator==(const TEvent& other) const { return FMethod == other.FMethod; }

private:
  TMethod FMethod;
};

using TNotifyEvent = TEvent<TPersistent*>;

enum class TPropertyKind { Integer, Enumeration, Set, String, WideString, Object, Event, Colour };

// One published property. Ordinal kinds (integer, enumeration, set, colour) go through
// GetOrdinal/SetOrdinal; enumeration and set values have names, in ordinal order.
struct TPropertyInfo {
  std::string Name;
  TPropertyKind Kind = TPropertyKind::Integer;
  std::vector<std::string> ValueNames;
  std::function<int64_t(const TPersistent&)> GetOrdinal;
  std::function<void(TPersistent&, int64_t)> SetOrdinal;
  std::function<std::string(const TPersistent&)> GetString;       // String: UTF-8
  std::function<void(TPersistent&, const std::string&)> SetString;
  std::function<std::wstring(const TPersistent&)> GetWide;        // WideString
  std::function<void(TPersistent&, const std::wstring&)> SetWide;
  std::function<TPersistent*(const TPersistent&)> GetObjectValue;      // Object
  std::function<void(TPersistent&, TPersistent*)> SetObjectValue;
  std::function<TMethod(const TPersistent&)> GetMethod;           // Event
  std::function<void(TPersistent&, const TMethod&)> SetMethod;
  bool ReadOnly() const;
};

// What a class knows of itself: its name, its parent, its own published properties and methods
// (lookups also search the parents), and how to create an instance for the form reader.
struct TClassInfo {
  std::string Name;
  const TClassInfo* Parent = nullptr;
  std::vector<TPropertyInfo> Properties;
  std::vector<std::pair<std::string, std::function<TMethod(TPersistent&)>>> Methods;
  std::function<TComponent*(TComponent* owner)> Create;

  bool InheritsFrom(const std::string& className) const;  // case-insensitive, itself included
  const TPropertyInfo* FindProperty(const std::string& name) const;
  std::vector<const TPropertyInfo*> AllProperties() const;  // parents' first, in declaration order
  bool FindMethod(const std::string& name, TPersistent& object, TMethod& method) const;
};

// Builds a class's TClassInfo from member functions of C.
template <class C>
class TClassBuilder {
public:
  TClassBuilder(std::string name, const TClassInfo* parent) {
    FInfo.Name = std::move(name);
    FInfo.Parent = parent;
  }

  template <class V>
  TClassBuilder& Integer(const char* name, V (C::*get)() const, void (C::*set)(V)) {
    return Ordinal(name, TPropertyKind::Integer, {}, get, set);
  }
  template <class V>
  TClassBuilder& Colour(const char* name, V (C::*get)() const, void (C::*set)(V)) {
    return Ordinal(name, TPropertyKind::Colour, {}, get, set);
  }
  template <class V>
  TClassBuilder& Enumeration(const char* name, std::vector<std::string> values, V (C::*get)() const,
                             void (C::*set)(V)) {
    return Ordinal(name, TPropertyKind::Enumeration, std::move(values), get, set);
  }
  TClassBuilder& Boolean(const char* name, bool (C::*get)() const, void (C::*set)(bool)) {
    return Ordinal(name, TPropertyKind::Enumeration, {"False", "True"}, get, set);
  }
  // Set members are bits of a 64-bit mask, member i at bit i.
  TClassBuilder& Set(const char* name, std::vector<std::string> members, uint64_t (C::*get)() const,
                     void (C::*set)(uint64_t)) {
    return Ordinal(name, TPropertyKind::Set, std::move(members), get, set);
  }
  TClassBuilder& String(const char* name, std::string (C::*get)() const, void (C::*set)(const std::string&)) {
    TPropertyInfo info = Named(name, TPropertyKind::String);
    info.GetString = [get](const TPersistent& o) { return (static_cast<const C&>(o).*get)(); };
    if (set) info.SetString = [set](TPersistent& o, const std::string& v) { (static_cast<C&>(o).*set)(v); };
    FInfo.Properties.push_back(std::move(info));
    return *this;
  }
  TClassBuilder& WideString(const char* name, std::wstring (C::*get)() const, void (C::*set)(const std::wstring&)) {
    TPropertyInfo info = Named(name, TPropertyKind::WideString);
    info.GetWide = [get](const TPersistent& o) { return (static_cast<const C&>(o).*get)(); };
    if (set) info.SetWide = [set](TPersistent& o, const std::wstring& v) { (static_cast<C&>(o).*set)(v); };
    FInfo.Properties.push_back(std::move(info));
    return *this;
  }
  template <class T>
  TClassBuilder& Object(const char* name, T* (C::*get)() const, void (C::*set)(T*) = nullptr) {
    TPropertyInfo info = Named(name, TPropertyKind::Object);
    info.GetObjectValue = [get](const TPersistent& o) -> TPersistent* { return (static_cast<const C&>(o).*get)(); };
    if (set) {
      info.SetObjectValue = [set](TPersistent& o, TPersistent* v) { (static_cast<C&>(o).*set)(dynamic_cast<T*>(v)); };
    }
    FInfo.Properties.push_back(std::move(info));
    return *this;
  }
  template <class E>
  TClassBuilder& Event(const char* name, E C::*field) {
    TPropertyInfo info = Named(name, TPropertyKind::Event);
    info.GetMethod = [field](const TPersistent& o) { return (static_cast<const C&>(o).*field).Method(); };
    info.SetMethod = [field](TPersistent& o, const TMethod& m) { (static_cast<C&>(o).*field).SetMethod(m); };
    FInfo.Properties.push_back(std::move(info));
    return *this;
  }
  // A published method that form definitions can name as an event handler.
  template <auto Member>
  TClassBuilder& Method(const char* name) {
    FInfo.Methods.emplace_back(name, [](TPersistent& object) {
      return MethodOf<Member>(static_cast<C&>(object), Member);
    });
    return *this;
  }
  TClassBuilder& Creatable() {
    FInfo.Create = [](TComponent* owner) -> TComponent* { return new C(owner); };
    return *this;
  }
  TClassInfo Build() { return std::move(FInfo); }

private:
  template <auto Member, class... Args>
  static TMethod MethodOf(C& object, void (C::*)(Args...)) {
    return TEvent<Args...>::template Bind<Member>(&object).Method();
  }

  TPropertyInfo Named(const char* name, TPropertyKind kind) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = kind;
    return info;
  }
  template <class V>
  TClassBuilder& Ordinal(const char* name, TPropertyKind kind, std::vector<std::string> values, V (C::*get)() const,
                         void (C::*set)(V)) {
    TPropertyInfo info = Named(name, kind);
    info.ValueNames = std::move(values);
    info.GetOrdinal = [get](const TPersistent& o) { return static_cast<int64_t>((static_cast<const C&>(o).*get)()); };
    if (set) info.SetOrdinal = [set](TPersistent& o, int64_t v) { (static_cast<C&>(o).*set)(static_cast<V>(v)); };
    FInfo.Properties.push_back(std::move(info));
    return *this;
  }
  TClassInfo FInfo;
};

// Declares a class's description; define it with CORVALE_CLASS_INFO in the .cpp.
#define CORVALE_DECLARE_CLASS()                                   \
 public:                                                          \
  static const TClassInfo& StaticClassInfo();                     \
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

// Root of everything with published properties.
class TPersistent {
public:
  virtual ~TPersistent() = default;
  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
  const std::string& ClassName() const { return ClassInfo().Name; }
  bool InheritsFrom(const std::string& className) const { return ClassInfo().InheritsFrom(className); }

  // Binary properties ("SkinStream", "DataStream", picture data): a name and the bytes.
  virtual bool ReadData(const std::string& /*name*/, const std::vector<uint8_t>& /*bytes*/) { return false; }
  virtual void WriteData(std::vector<std::pair<std::string, std::vector<uint8_t>>>& /*properties*/) const {}
  // List properties ("Strings" of a string list): the items as text.
  virtual bool ReadList(const std::string& /*name*/, const std::vector<std::string>& /*items*/) { return false; }
};

// A component can own others: owned components are freed with their owner, the last created
// first, and each is taken out of its owner's list before it goes.
class TComponent : public TPersistent {
  CORVALE_DECLARE_CLASS()

public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const { return FComponents[static_cast<size_t>(index)]; }
  TComponent* FindComponent(const std::string& name) const;  // case-insensitive

  std::string Name() const { return FName; }
  // Throws EComponentError for an invalid name or one a sibling already has.
  void SetName(const std::string& name);
  int32_t Tag() const { return FTag; }
  void SetTag(int32_t tag) { FTag = tag; }

  // The form reader places a component read inside another one: controls take it as their parent.
  virtual void SetParentComponent(TComponent* /*parent*/) {}

  bool Loading() const { return FLoading; }
  bool Destroying() const { return FDestroying; }
  // Form reading: BeginLoading before properties are set, Loaded once the whole form is read.
  void BeginLoading() { FLoading = true; }
  virtual void Loaded() { FLoading = false; }

  // The component is told when one it asked about (FreeNotification) or one it owns goes away.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

protected:
  virtual void Notification(TComponent* /*component*/, bool /*removing*/) {}
  // Frees the owned components, the last created first. The destructor does it too, but by then
  // a derived class's Notification no longer runs: a class that reacts calls this in its own
  // destructor.
  void DestroyComponents();

private:
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  std::string FName;
  int32_t FTag = 0;
  bool FLoading = false;
  bool FDestroying = false;
};

class EComponentError : public Exception {
public:
  using Exception::Exception;
};

// Classes the form reader can create by name. (Not RegisterClass: windows.h takes that name as a macro.)
void RegisterComponentClass(const TClassInfo& info);
const TClassInfo* FindComponentClass(const std::string& name);

// ---- Published properties by name --------------------------------------------------------------
// Every routine accepts a null object and a missing property: reads give neutral values (-1, empty,
// null), writes do nothing. Names compare without regard to case.

const TPropertyInfo* FindProperty(const TPersistent* object, const std::string& name);
int64_t GetOrdProp(const TPersistent* object, const std::string& name);            // -1 when absent
void SetOrdProp(TPersistent* object, const std::string& name, int64_t value);
std::string GetEnumProp(const TPersistent* object, const std::string& name);      // value name
bool SetEnumProp(TPersistent* object, const std::string& name, const std::string& value);
std::string GetSetProp(const TPersistent* object, const std::string& name);       // "[a,b]"
bool SetSetProp(TPersistent* object, const std::string& name, const std::string& value);
std::string GetStrProp(const TPersistent* object, const std::string& name);
void SetStrProp(TPersistent* object, const std::string& name, const std::string& value);
std::wstring GetWideStrProp(const TPersistent* object, const std::string& name);  // strings widened
void SetWideStrProp(TPersistent* object, const std::string& name, const std::wstring& value);
TPersistent* GetObjectProp(const TPersistent* object, const std::string& name, const std::string& className = "");
void SetObjectProp(TPersistent* object, const std::string& name, TPersistent* value);
bool GetMethodProp(const TPersistent* object, const std::string& name, TMethod& method);  // false: left as it was
void SetMethodProp(TPersistent* object, const std::string& name, const TMethod& method);

