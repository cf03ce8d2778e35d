// TSkinManage: the one skin manager of the module. It follows the windows the hooked threads create
// through a WH_CBT hook, keeps the registered skin components, and carries out the deferred actions
// the skin component asks for (skin, unskin, re-skin) from its timer.
//
// This first version holds the manager's state, the hook and the deferred actions' timing; admitting
// windows and the per-form work arrive with the form skinning, behind the methods marked below.
#pragma once

#include "framework/win32.h"

#include <memory>
#include <vector>

#include "framework/timer.h"

class TSkinData;
class TForm;

class TSkinManage {
public:
  // sub = 0: the main manager of the program; otherwise a manager of a separately loaded module.
  explicit TSkinManage(int sub);
  virtual ~TSkinManage();
  TSkinManage(const TSkinManage&) = delete;
  TSkinManage& operator=(const TSkinManage&) = delete;

  void InstallHook();
  void InstallThread(DWORD threadId);
  void UnInstallThread(DWORD threadId);
  void AddSkinData(TSkinData* data);
  void RemoveSkinData(TSkinData* data);
  // FAction := code; the timer fires after delay milliseconds (not while FState is 0).
  void SetAction(int32_t code, int32_t delay);
  void DeleteSysbtn();

  // ---- Arrive with the form skinning: admission and the per-form work ----
  bool AddForm(HWND window);
  void ActiveForm(TForm* form);
  void DeleteDeleted();

  const std::vector<TSkinData*>& SkinDatas() const { return FSkinDatas; }
  bool TimerRunning() const { return FTimer->Enabled(); }
  int32_t TimerInterval() const { return FTimer->Interval(); }

  bool FEnabled = false;
  bool FForceAdd = false;
  int32_t FState = 0;
  int32_t FMenuKind = 0;
  bool FMDIMax = false;
  HWND FMDIClient = nullptr;
  TForm* FMDIForm = nullptr;
  int32_t FAction = 0;
  TSkinData* FActionData = nullptr;
  TSkinData* FMainData = nullptr;
  HINSTANCE FInstance = nullptr;
  HWND FChangeHandle = nullptr;
  TSkinManage* FParent = nullptr;

private:
  struct TSkinThread {
    HHOOK FHook = nullptr;
    DWORD FThreadID = 0;
  };

  void OnTimer(TPersistent* sender);

  std::unique_ptr<TTimer> FTimer;
  std::vector<TSkinData*> FSkinDatas;
  std::vector<TSkinThread> FThreads;
  std::vector<TSkinManage*> FSubManagers;
};

// The manager; null until the first skin component loads.
extern TSkinManage* SkinManager;
extern HHOOK CBTHook;
extern bool HookStopped;
