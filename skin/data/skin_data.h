// TSkinData: the non-visual component an application puts on its main form to skin itself. It keeps
// the packed skin package in the form's definition ("SkinStream"), loads it into skin elements and
// colours, holds the options that say what is skinned, and asks the skin manager to skin, unskin
// or re-skin the application's windows.
#pragma once

#include "framework/win32.h"

#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/bitmaps.h"
#include "framework/controls/controls.h"
#include "framework/graphics/gdi.h"
#include "framework/graphics/image_list.h"
#include "framework/core/string_list.h"
#include "skin/data/archive.h"
#include "skin/data/elements.h"
#include "skin/data/quick_ini.h"

class TSkinStore;
class TForm;

// Control kinds (bits 0 to 21, in this order).
enum TSkinControlType : uint64_t {
  xcMainMenu = 1ull << 0, xcPopupMenu = 1ull << 1, xcMenuItem = 1ull << 2, xcToolbar = 1ull << 3,
  xcControlbar = 1ull << 4, xcCombo = 1ull << 5, xcCheckBox = 1ull << 6, xcRadioButton = 1ull << 7,
  xcProgress = 1ull << 8, xcScrollbar = 1ull << 9, xcEdit = 1ull << 10, xcButton = 1ull << 11,
  xcBitBtn = 1ull << 12, xcSpeedButton = 1ull << 13, xcSpin = 1ull << 14, xcPanel = 1ull << 15,
  xcGroupBox = 1ull << 16, xcStatusBar = 1ull << 17, xcTab = 1ull << 18, xcTrackBar = 1ull << 19,
  xcSystemMenu = 1ull << 20, xcFastReport = 1ull << 21
};
// Behaviour switches (bits 0 to 10, in this order).
enum TSkinOption : uint64_t {
  xoMDIScrollbar = 1ull << 0, xoMenuMerge = 1ull << 1, xoTransparent = 1ull << 2, xoPreview = 1ull << 3,
  xoParentBackGround = 1ull << 4, xoNoFocusRect = 1ull << 5, xoToolbarBK = 1ull << 6, xoToolbarButton = 1ull << 7,
  xoMDIChildBorder = 1ull << 8, xoMenuBG = 1ull << 9, xoFormScrollbar = 1ull << 10
};
enum class TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

class TSkinData;
using TOnFormSkin = TEvent<TPersistent*, const std::string&, bool&>;
using TOnSkinControl = TEvent<TComponent*, TSkinData*, TControl*, TControl*, const std::string&, TComponent*&>;
using TOnSkinForm = TEvent<TPersistent*, HWND, const std::string&>;

constexpr const char* kSkinDataVersion = "5.03.07.12";

class TSkinData : public TComponent {
  CORVALE_DECLARE_CLASS()

public:
  explicit TSkinData(TComponent* owner);
  ~TSkinData() override;

  // ---- Published properties ----
  bool Active() const { return FActive; }
  void SetActive(bool value);
  int32_t DisableTag() const { return FDisableTag; }
  void SetDisableTag(int32_t value) { FDisableTag = value; }
  uint64_t SkinControls() const { return FSkinControls; }
  void SetSkinControls(uint64_t value) { FSkinControls = value; }
  uint64_t Options() const { return FOptions; }
  void SetOptions(uint64_t value) { FOptions = value; }
  TStrings* Skin3rd() const { return FSkin3rd.get(); }
  void SetSkin3rd(TStrings* value);
  std::string SkinFile() const { return FSkinFile; }
  void SetSkinFile(const std::string& value) { LoadFromFile(value); }
  // A display only: "(none)" at run time; writing is ignored.
  std::string SkinStore() const { return "(none)"; }
  void SetSkinStore(const std::string&) {}
  TSkinFormType SkinFormtype() const { return FSkinFormtype; }
  void SetSkinFormtype(TSkinFormType value) { FSkinFormtype = value; }
  std::string Version() const { return kSkinDataVersion; }
  void SetVersion(const std::string&) {}
  bool MenuUpdate() const { return FMenuUpdate; }
  void SetMenuUpdate(bool value) { FMenuUpdate = value; }
  bool MenuMerge() const { return FMenuMerge; }
  void SetMenuMerge(bool value) { FMenuMerge = value; }

  TOnFormSkin OnFormSkin;
  TNotifyEvent OnSkinChanged;
  TOnSkinControl OnSkinControl;
  TOnSkinForm OnBeforeSkinForm;
  TOnSkinForm OnAfterSkinForm;

  // "SkinStream": a 4-byte length, then the packed package.
  bool ReadData(const std::string& name, const std::vector<uint8_t>& bytes) override;
  void WriteData(std::vector<std::pair<std::string, std::vector<uint8_t>>>& properties) const override;
  void Loaded() override;

  // ---- Loading ----
  bool LoadSkin();
  void LoadFromFile(const std::string& fileName);
  void LoadFromStream(TStream& stream);
  void LoadFromCollection(TSkinStore* store, int index);
  // The description into elements and colours (the loader's work, in its exact order).
  void LoadFromIni();

  // ---- Requests to the skin manager ----
  void Install();
  void Uninstall();
  void UpdateSkin();
  void ChangeForm(TForm* form);
  void SkinForm(HWND window);
  void EnableSkin(bool value);
  void InstallThread(DWORD threadId);
  void UnInstallThread(DWORD threadId);
  void AddNestForm(TWinControl* parent, TWinControl* child);
  void UpdateSkinControl(TForm* form, TControl* control);
  void DeleteGraphicControl(TForm* form, TControl* control);
  void UpdateMenu(TForm* form);
  void UpdateMainMenu(bool value);
  void DoFormSkin(HWND window, const std::string& className, bool& skin);
  void DoSkinChanged();
  void DoDebug(const std::string& text);
  void ChangeProperty(TPersistent* object, const std::string& propertyName, const std::string& value);
  bool GetScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info);
  TSkinColor GetCaptionColor() const;
  bool GetPrecolor(int index, TSkinColor& colour) const;
  void GetAppIcon();

  // ---- What the skinning reads ----
  bool FNoSkin = true;
  std::string FSkinName;
  TMemoryStream FSkinStream;
  TShemeColors FColors = {};
  bool FColorSet[kShemeColorCount] = {};
  std::vector<TSkinColor> FPreColors;
  TSkinColor FCustomColors[10] = {};
  TBrushHandle FButtonFaceBrush;
  std::unique_ptr<TBitmap> FAppIcon;
  TFontHandle FCaptionFont;  // null: the framework's default font
  std::unique_ptr<TImageList> FMenuImages;
  int32_t FMaxWidth = 0, FMaxHeight = 0;
  bool FMainMenuUpdate = true;

  // Element slots: the kept ones always exist, the others are null while the skin has none.
  std::unique_ptr<TDataSkinBorder> FFrameLeft, FFrameRight, FFrameTop, FFrameBottom;
  std::unique_ptr<TDataSkinTitle> FTitle;
  std::vector<std::unique_ptr<TDataSkinSysButton>> FSysButtons;
  std::unique_ptr<TDataSkinButton> FButtons;
  std::unique_ptr<TDataSkinBorder> FProgress, FTabs, FComboButton, FUpDownHorz, FUpDownVert;
  std::unique_ptr<TDataSkinObject> FProgressChunk, FMenuBar, FGroupBoxEdge, FStatusBarEdges, FTabPane, FToolBars,
      FSunkEdge, FExtraImages, FHeaderbar, FMenuItem, FMenuBackground, FScrollbar, FHorzScroll, FVertScroll,
      FHorzScrollThumb, FVertScrollThumb, FThumbHorz, FThumbVert, FThumbLeft, FThumbRight, FThumbUp, FThumbDown,
      FTrack, FTrackVert, FComboxArrow, FToolbar;
  std::unique_ptr<TDataSkinBoxLabel> FGroupBox;

private:
  friend class TSkinLoader;
  void MakeCaptionFont();
  void LoadMenuImages();
  bool Designing() const { return false; }  // no design time in this program

  bool FActive = false;
  int32_t FDisableTag = 99;
  uint64_t FSkinControls;
  uint64_t FOptions = xoPreview | xoToolbarBK;
  std::unique_ptr<TStrings> FSkin3rd;
  std::string FSkinFile;
  TSkinFormType FSkinFormtype = TSkinFormType::sfMainform;
  bool FMenuUpdate = true;
  bool FMenuMerge = false;
  // Only while a skin loads.
  TQuickIni* FIni = nullptr;
  TSkinReader* FReader = nullptr;
};

// Makes the skin classes (TSkinData, TSkinStore) known to the form reader.
void RegisterSkinClasses();

// The framework control whose window this is (the engine's control property); null for none.
TControl* FindControlx(HWND window);

// Text conversions and drawing in the user's code page, as the skinning uses them.
extern bool Win32PlatformIsUnicode;
extern bool IsVista;
extern UINT DefaultUserCodePage;
std::wstring StrToWideStr(const std::string& text);
std::string WideStringToStringEx(const std::wstring& text);
// The zero-terminated text, or its first length characters when length is not -1.
std::wstring _WStr(const wchar_t* text, int length);
int Tnt_DrawTextW(HDC dc, const std::wstring& text, RECT& rect, UINT format);
// Asks for a leave notification for the window (nothing where the system lacks TrackMouseEvent).
void DoTrackMouse(HWND window);

// System functions looked up once; null where the system lacks them.
using TGetScrollBarInfoFunction = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
using TTrackMouseEventFunction = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
using TGetComboBoxInfoFunction = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);
using TDisableProcessWindowsGhostingFunction = void(WINAPI*)();
extern TGetScrollBarInfoFunction pGetScrollBarInfo;
extern TTrackMouseEventFunction pTrackMouseEvent;
extern TGetComboBoxInfoFunction pGetComboBoxInfo;
extern TDisableProcessWindowsGhostingFunction pDisableProcessWindowsGhosting;
