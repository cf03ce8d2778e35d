#include "skin/data/skin_data.h"

#include <algorithm>
#include <cstring>

#include "framework/files.h"
#include "framework/forms.h"
#include "framework/handles.h"
#include "framework/core/little_endian.h"
#include "framework/core/text.h"
#include "skin/data/kinds.h"
#include "skin/data/loading.h"
#include "skin/data/skin_store.h"
#include "skin/manager/skin_manage.h"

namespace {

template <class F>
F User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

constexpr uint64_t kAllSkinControls = (1ull << 22) - 1;

}  // namespace

TGetScrollBarInfoFunction pGetScrollBarInfo = User32Function<TGetScrollBarInfoFunction>("GetScrollBarInfo");
TTrackMouseEventFunction pTrackMouseEvent = User32Function<TTrackMouseEventFunction>("TrackMouseEvent");
TGetComboBoxInfoFunction pGetComboBoxInfo = User32Function<TGetComboBoxInfoFunction>("GetComboBoxInfo");
TDisableProcessWindowsGhostingFunction pDisableProcessWindowsGhosting =
    User32Function<TDisableProcessWindowsGhostingFunction>("DisableProcessWindowsGhosting");

bool Win32PlatformIsUnicode = true;  // every system this program runs on is of the NT family
bool IsVista = true;
UINT DefaultUserCodePage = CP_ACP;

std::wstring StrToWideStr(const std::string& text) {
  int length = MultiByteToWideChar(DefaultUserCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(std::max(length, 0)), L'\0');
  if (length > 0) MultiByteToWideChar(DefaultUserCodePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string WideStringToStringEx(const std::wstring& text) {
  int length = WideCharToMultiByte(DefaultUserCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                   nullptr, nullptr);
  std::string narrow(static_cast<size_t>(std::max(length, 0)), '\0');
  if (length > 0) {
    WideCharToMultiByte(DefaultUserCodePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length,
                        nullptr, nullptr);
  }
  return narrow;
}

std::wstring _WStr(const wchar_t* text, int length) {
  if (!text) return std::wstring();
  return length == -1 ? std::wstring(text) : std::wstring(text, static_cast<size_t>(std::max(length, 0)));
}

int Tnt_DrawTextW(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
  if (Win32PlatformIsUnicode) return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
  std::string narrow = WideStringToStringEx(text);
  return DrawTextA(dc, narrow.c_str(), -1, &rect, format);
}

void DoTrackMouse(HWND window) {
  if (!pTrackMouseEvent) return;
  TRACKMOUSEEVENT track = {};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window;
  pTrackMouseEvent(&track);
}

TControl* FindControlx(HWND window) { return FindControl(window); }

void RegisterSkinClasses() {
  RegisterComponentClass(TSkinData::StaticClassInfo());
  RegisterComponentClass(TSkinStore::StaticClassInfo());
}

const TClassInfo& TSkinData::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TSkinData>("TSkinData", &TComponent::StaticClassInfo())
          .Boolean("Active", &TSkinData::Active, &TSkinData::SetActive)
          .Integer("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag)
          .Set("SkinControls",
               {"xcMainMenu", "xcPopupMenu", "xcMenuItem", "xcToolbar", "xcControlbar", "xcCombo", "xcCheckBox",
                "xcRadioButton", "xcProgress", "xcScrollbar", "xcEdit", "xcButton", "xcBitBtn", "xcSpeedButton", "xcSpin",
                "xcPanel", "xcGroupBox", "xcStatusBar", "xcTab", "xcTrackBar", "xcSystemMenu", "xcFastReport"},
               &TSkinData::SkinControls, &TSkinData::SetSkinControls)
          .Set("Options",
               {"xoMDIScrollbar", "xoMenuMerge", "xoTransparent", "xoPreview", "xoParentBackGround", "xoNoFocusRect",
                "xoToolbarBK", "xoToolbarButton", "xoMDIChildBorder", "xoMenuBG", "xoFormScrollbar"},
               &TSkinData::Options, &TSkinData::SetOptions)
          .Object("Skin3rd", &TSkinData::Skin3rd, &TSkinData::SetSkin3rd)
          .String("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile)
          .String("SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore)
          .Enumeration("SkinFormtype", {"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"}, &TSkinData::SkinFormtype,
                       &TSkinData::SetSkinFormtype)
          .String("Version", &TSkinData::Version, &TSkinData::SetVersion)
          .Boolean("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate)
          .Boolean("MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge)
          .Event("OnFormSkin", &TSkinData::OnFormSkin)
          .Event("OnSkinChanged", &TSkinData::OnSkinChanged)
          .Event("OnSkinControl", &TSkinData::OnSkinControl)
          .Event("OnBeforeSkinForm", &TSkinData::OnBeforeSkinForm)
          .Event("OnAfterSkinForm", &TSkinData::OnAfterSkinForm)
          .Creatable()
          .Build();
  return info;
}

TSkinData::TSkinData(TComponent* owner)
    : TComponent(owner),
      FAppIcon(std::make_unique<TBitmap>(0, 0, TPixelFormat::pf24bit)),
      FButtons(std::make_unique<TDataSkinButton>("Buttons")),
      FSkinControls(kAllSkinControls & ~(xcMenuItem | xcFastReport)),
      FSkin3rd(std::make_unique<TStrings>()) {
  TSkin3rdLines lines;
  InitControlList(lines);
  FSkin3rd->SetLines(lines);
  FFrameLeft = std::make_unique<TDataSkinBorder>("Left");
  FFrameRight = std::make_unique<TDataSkinBorder>("Right");
  FFrameTop = std::make_unique<TDataSkinBorder>("Top");
  FFrameBottom = std::make_unique<TDataSkinBorder>("Bottom");
  FTitle = std::make_unique<TDataSkinTitle>("Title");
  LoadMenuImages();
  FMaxWidth = GetSystemMetrics(SM_CXMAXIMIZED);
  FMaxHeight = GetSystemMetrics(SM_CYMAXIMIZED);
}

TSkinData::~TSkinData() {
  if (SkinManager) SkinManager->RemoveSkinData(this);
  DestroyComponents();
}

// The system menu's glyphs: restore, maximise, minimise, close, 16 pixels each, black on white.
void TSkinData::LoadMenuImages() {
  FMenuImages = std::make_unique<TImageList>(nullptr);
  FMenuImages->SetWidth(16);
  FMenuImages->SetHeight(16);
  TBitmap strip;
  try {
    strip.LoadFromResourceName(GetModuleHandleW(nullptr), L"VELUMOMENU");
  } catch (const std::exception&) {
    return;  // a program without the resource shows the system's own glyphs
  }
  FMenuImages->AddMasked(strip, clWhite);
}

void TSkinData::SetSkin3rd(TStrings* value) {
  if (value) FSkin3rd->Assign(*value);
}

// ---- Persistence -----------------------------------------------------------------------------------

bool TSkinData::ReadData(const std::string& name, const std::vector<uint8_t>& bytes) {
  if (LowerCase(name) != "skinstream") return false;
  int64_t length = bytes.size() >= 4 ? static_cast<int32_t>(GetLE32(bytes.data())) : 0;
  FSkinStream.Clear();
  if (length <= 0) return true;
  if (static_cast<uint64_t>(length) > bytes.size() - 4) length = static_cast<int64_t>(bytes.size() - 4);
  FSkinStream.Write(bytes.data() + 4, static_cast<size_t>(length));
  // A stored skin that cannot be unpacked leaves the window unskinned; it never stops the program.
  try {
    LoadSkin();
  } catch (const std::exception&) {
    FNoSkin = true;
  }
  return true;
}

void TSkinData::WriteData(std::vector<std::pair<std::string, std::vector<uint8_t>>>& properties) const {
  std::vector<uint8_t> data;
  PutLE32(data, static_cast<uint32_t>(FSkinStream.Size()));
  data.insert(data.end(), FSkinStream.Bytes().begin(), FSkinStream.Bytes().end());
  properties.emplace_back("SkinStream", std::move(data));
}

// ---- Loading ---------------------------------------------------------------------------------------

bool TSkinData::LoadSkin() {
  if (Designing()) return false;
  FNoSkin = true;
  TSkinReader reader;
  FSkinStream.SetPosition(0);
  if (!reader.Loadfromstream(FSkinStream)) return false;
  TQuickIni ini;
  TMemoryStream description;
  std::string name;
  reader.readIni(".ini", description, name);
  description.SetPosition(0);
  ini.LoadFromStream(&description);
  FIni = &ini;
  FReader = &reader;
  struct TForget {
    TSkinData& Data;
    ~TForget() {
      Data.FIni = nullptr;
      Data.FReader = nullptr;
    }
  } forget{*this};
  LoadFromIni();
  return true;
}

void TSkinData::LoadFromFile(const std::string& fileName) {
  FNoSkin = true;
  FSkinFile = fileName;
  std::wstring path = Utf8ToWide(fileName);
  if (fileName.empty() || !FileExists(path)) return;
  std::string bytes = ReadWholeFile(path);
  FSkinStream.Clear();
  FSkinStream.Write(bytes.data(), bytes.size());
  LoadSkin();
  UpdateSkin();
}

void TSkinData::LoadFromStream(TStream& stream) {
  FNoSkin = true;
  FSkinStream.Clear();
  stream.SetPosition(0);
  FSkinStream.CopyFrom(stream);
  LoadSkin();
  if (FSkinFormtype == TSkinFormType::sfMainform) UpdateSkin();
}

void TSkinData::LoadFromCollection(TSkinStore* store, int index) {
  if (!store || index < 0 || index >= store->Store()->Count()) return;
  FNoSkin = true;
  FSkinStream.Clear();
  store->Store()->Item(index)->CopyData(FSkinStream);
  LoadSkin();
  UpdateSkin();
}

// ---- Start-up and activation ------------------------------------------------------------------------

void TSkinData::Loaded() {
  TComponent::Loaded();
  if (Designing()) return;
  if (!pGetScrollBarInfo) FSkinControls &= ~static_cast<uint64_t>(xcScrollbar);
  if (!SkinManager) SkinManager = new TSkinManage(0);
  SkinManager->AddSkinData(this);
  MakeCaptionFont();
  if (FSkinFormtype != TSkinFormType::sfMainform) {
    SkinManager->FEnabled = true;
    ++SkinManager->FState;
    if (auto* form = dynamic_cast<TForm*>(Owner()); form && FActive) SkinManager->AddForm(form->Handle());
    return;
  }
  SkinManager->InstallHook();
  if (FActive) {
    if (FNoSkin) {
      FActive = false;
    } else {
      SkinManager->SetAction(1, 250);
    }
  }
  if (FSkinControls & xcMainMenu) {
    FSkinControls &= ~static_cast<uint64_t>(xcMenuItem);
  } else {
    FSkinControls &= ~static_cast<uint64_t>(xcSystemMenu);
  }
  GetAppIcon();
}

void TSkinData::SetActive(bool value) {
  if (value == FActive) return;
  FActive = value;
  if (Designing() || Loading() || !SkinManager) return;
  switch (FSkinFormtype) {
    case TSkinFormType::sfMainform:
      if (value) {
        if (FNoSkin) return;
        SkinManager->FActionData = this;
        SkinManager->SetAction(1, 250);
        SkinManager->FState = 1;
      } else {
        SkinManager->FActionData = this;
        SkinManager->SetAction(2, 250);
      }
      break;
    case TSkinFormType::sfOnlyThisForm:
      SkinManager->FActionData = this;
      if (value && FNoSkin) return;
      SkinManager->SetAction(value ? 1 : 2, 250);
      break;
    default: break;
  }
}

void TSkinData::MakeCaptionFont() {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
  FCaptionFont.Reset(CreateFontIndirectW(&metrics.lfCaptionFont));
}

void TSkinData::GetAppIcon() {
  int width = GetSystemMetrics(SM_CXSMICON), height = GetSystemMetrics(SM_CYSMICON);
  auto icon = std::make_unique<TBitmap>(width, height, TPixelFormat::pf24bit);
  RECT all{0, 0, width, height};
  icon->Canvas()->Brush()->SetColor(clFuchsia);
  icon->Canvas()->FillRect(all);
  HWND application = Application() ? Application()->Handle() : nullptr;
  HICON source = nullptr;
  if (application) {
    source = reinterpret_cast<HICON>(SendMessageW(application, WM_GETICON, ICON_SMALL, 0));
    if (!source) source = reinterpret_cast<HICON>(SendMessageW(application, WM_GETICON, ICON_BIG, 0));
  }
  if (source) {
    TIconHandle copy(static_cast<HICON>(CopyImage(source, IMAGE_ICON, width, height, LR_COPYFROMRESOURCE)));
    if (copy) DrawIconEx(icon->Canvas()->Handle(), 0, 0, copy.Get(), width, height, 0, nullptr, DI_NORMAL);
  }
  icon->SetTransparentColor(clFuchsia);
  FAppIcon = std::move(icon);
}

// ---- Requests to the skin manager ---------------------------------------------------------------------

void TSkinData::Install() {
  if (SkinManager) SkinManager->SetAction(1, 250);
}

void TSkinData::Uninstall() {
  if (SkinManager) SkinManager->SetAction(2, 250);
}

void TSkinData::UpdateSkin() {
  if (Designing() || Loading()) return;
  if (!SkinManager) Loaded();
  SkinManager->FActionData = this;
  SkinManager->DeleteSysbtn();
  if (SkinManager->FState == 1) SkinManager->SetAction(3, 250);
}

void TSkinData::ChangeForm(TForm* form) {
  if (!SkinManager || !form) return;
  SkinManager->FChangeHandle = form->Handle();
  SkinManager->FActionData = this;
  SkinManager->SetAction(7, 250);
}

void TSkinData::SkinForm(HWND window) {
  if (!SkinManager) return;
  SkinManager->FForceAdd = true;
  SkinManager->AddForm(window);
  SkinManager->FForceAdd = false;
}

void TSkinData::EnableSkin(bool value) {
  if (SkinManager) SkinManager->FEnabled = value;
}

void TSkinData::InstallThread(DWORD threadId) {
  if (SkinManager) SkinManager->InstallThread(threadId);
}

void TSkinData::UnInstallThread(DWORD threadId) {
  if (SkinManager) SkinManager->UnInstallThread(threadId);
}

// The per-form operations reach form skin objects, which the form skinning registers; until it does
// there is none to find and, as for a form without one, nothing happens.
void TSkinData::AddNestForm(TWinControl*, TWinControl*) {}
void TSkinData::UpdateSkinControl(TForm*, TControl*) {}
void TSkinData::DeleteGraphicControl(TForm*, TControl*) {}
void TSkinData::UpdateMenu(TForm*) {}

void TSkinData::UpdateMainMenu(bool value) { FMainMenuUpdate = value; }

void TSkinData::DoFormSkin(HWND window, const std::string& className, bool& skin) {
  (void)window;
  if (OnFormSkin.Assigned()) {
    OnFormSkin(this, className, skin);
    return;
  }
  if (className == "SysMonthCal32") {
    skin = false;
  } else if ((FSkinControls & xcFastReport) && className.compare(0, 3, "Tfr") == 0) {
    skin = false;
  }
}

void TSkinData::DoSkinChanged() { OnSkinChanged(this); }

void TSkinData::DoDebug(const std::string&) {}

void TSkinData::ChangeProperty(TPersistent* object, const std::string& propertyName, const std::string& value) {
  const TPropertyInfo* property = FindProperty(object, propertyName);
  if (property && property->Kind == TPropertyKind::Enumeration) SetEnumProp(object, propertyName, value);
}

bool TSkinData::GetScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info) {
  if (!pGetScrollBarInfo) return false;
  return pGetScrollBarInfo(window, objectId, &info) != FALSE;
}

bool TSkinData::GetPrecolor(int index, TSkinColor& colour) const {
  if (index < 0 || index >= static_cast<int>(FPreColors.size())) return false;
  colour = FPreColors[static_cast<size_t>(index)];
  return true;
}

void TSkinData::LoadFromIni() {
  if (!FIni || !FReader) return;
  TSkinLoader(*this, *FIni, *FReader).LoadFromIni();
}

TSkinColor TSkinData::GetCaptionColor() const {
  if (!FFrameTop || FFrameTop->Map->Empty()) return FColors[csButtonFace];
  int frames = FFrameTop->Frame > 0 ? FFrameTop->Frame : 1;
  TColor pixel = FFrameTop->Map->Pixel(FFrameTop->Map->Width() / 3, (FFrameTop->Map->Height() / frames) / 3);
  return static_cast<TSkinColor>(pixel);
}
