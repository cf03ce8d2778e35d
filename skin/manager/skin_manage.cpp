#include "skin/manager/skin_manage.h"

#include <algorithm>

#include "framework/forms.h"
#include "skin/data/skin_data.h"

TSkinManage* SkinManager = nullptr;
HHOOK CBTHook = nullptr;
bool HookStopped = false;

namespace {

// Window events of the skinned thread. Until the form skinning admits windows here, every event is
// only passed on.
LRESULT CALLBACK SkinHookCBT(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(CBTHook, code, wParam, lParam);
}

LRESULT CALLBACK SkinHookCBT2(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TSkinManage::TSkinManage(int sub) : FTimer(std::make_unique<TTimer>(nullptr)) {
  FInstance = sub == 0 ? nullptr : GetModuleHandleW(nullptr);
  FTimer->SetEnabled(false);
  FTimer->SetInterval(100);
  FTimer->OnTimer = TNotifyEvent::Bind<&TSkinManage::OnTimer>(this);
}

TSkinManage::~TSkinManage() {
  FState = 4;
  FEnabled = false;
  FTimer.reset();
  for (TSkinThread& thread : FThreads) {
    if (thread.FHook) UnhookWindowsHookEx(thread.FHook);
  }
  FThreads.clear();
  if (CBTHook) {
    UnhookWindowsHookEx(CBTHook);
    CBTHook = nullptr;
  }
  HookStopped = true;
}

void TSkinManage::InstallHook() {
  if (CBTHook) return;  // one hook for the thread, however many components load
  CBTHook = SetWindowsHookExW(WH_CBT, SkinHookCBT, nullptr, GetCurrentThreadId());
}

void TSkinManage::InstallThread(DWORD threadId) {
  auto known = std::find_if(FThreads.begin(), FThreads.end(), [&](const TSkinThread& t) { return t.FThreadID == threadId; });
  if (known != FThreads.end()) return;
  TSkinThread thread;
  thread.FThreadID = threadId;
  thread.FHook = SetWindowsHookExW(WH_CBT, SkinHookCBT2, nullptr, threadId);
  FThreads.push_back(thread);
}

void TSkinManage::UnInstallThread(DWORD threadId) {
  auto known = std::find_if(FThreads.begin(), FThreads.end(), [&](const TSkinThread& t) { return t.FThreadID == threadId; });
  if (known == FThreads.end()) return;
  if (known->FHook) UnhookWindowsHookEx(known->FHook);
  FThreads.erase(known);
}

void TSkinManage::AddSkinData(TSkinData* data) {
  FSkinDatas.push_back(data);
  if (!FMainData && data->SkinFormtype() == TSkinFormType::sfMainform) FMainData = data;
}

void TSkinManage::RemoveSkinData(TSkinData* data) {
  auto found = std::find(FSkinDatas.begin(), FSkinDatas.end(), data);
  if (found != FSkinDatas.end()) FSkinDatas.erase(found);
  // The manager outlives components only here: a reference to a component that is gone must not stay.
  if (FMainData == data) FMainData = nullptr;
  if (FActionData == data) FActionData = nullptr;
}

void TSkinManage::SetAction(int32_t code, int32_t delay) {
  FAction = code;
  FTimer->SetInterval(delay);
  if (FState == 0) {
    if (code == 1) FEnabled = true;
    if (code == 2) FEnabled = false;
    return;
  }
  if (!FInstance) {
    for (TSkinManage* sub : FSubManagers) {
      sub->FActionData = FActionData;
      if (code == 1) {
        sub->FEnabled = true;
        sub->SetAction(1, 300);
      }
      if (code == 2) sub->FEnabled = false;
    }
  }
  FTimer->SetEnabled(true);
}

void TSkinManage::DeleteSysbtn() {}

bool TSkinManage::AddForm(HWND) { return false; }

void TSkinManage::ActiveForm(TForm* form) {
  if (form && form->HandleAllocated() && IsWindowVisible(form->Handle()) &&
      !(GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_CHILD)) {
    AddForm(form->Handle());
  }
}

void TSkinManage::DeleteDeleted() {}

void TSkinManage::OnTimer(TPersistent*) {
  FTimer->SetEnabled(false);
  TSkinData* data = FActionData;
  if (!data) return;
  bool onlyThisForm = data->SkinFormtype() == TSkinFormType::sfOnlyThisForm;
  switch (FAction) {
    case 1:
      FEnabled = true;
      FForceAdd = true;
      if (!onlyThisForm) DeleteDeleted();
      for (int i = Screen().FormCount() - 1; i >= 0; --i) {
        TForm* form = Screen().Forms(i);
        if (onlyThisForm && form != data->Owner()) continue;
        ActiveForm(form);
        if (onlyThisForm) break;
      }
      FForceAdd = false;
      if (!onlyThisForm && !FInstance) {
        for (TSkinManage* sub : FSubManagers) {
          sub->FActionData = data;
          sub->FEnabled = true;
          sub->SetAction(1, 300);
        }
      }
      break;
    case 2:
      FEnabled = false;
      DeleteDeleted();
      if (!onlyThisForm && !FInstance) {
        for (TSkinManage* sub : FSubManagers) sub->FEnabled = false;
      }
      break;
    case 3: DeleteDeleted(); break;
    case 7:
      if (onlyThisForm) break;
      return;  // no form skin object is registered for the window yet
    default: break;
  }
  data->DoSkinChanged();
  FActionData = nullptr;
}
