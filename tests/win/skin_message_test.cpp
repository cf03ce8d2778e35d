// An archive of an unknown format, read on Windows: the reader's message appears in the
// framework's simple message box, captioned with the application's title, and nothing else changes.
#include "framework/win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "framework/dialogs.h"
#include "skin/data/archive.h"

namespace {

struct TSeenBox {
  std::wstring Caption;
  std::wstring Text;
};

// Waits for this process's message box, reads it, and presses OK.
void AnswerMessageBox(TSeenBox& seen, std::atomic<bool>& done) {
  for (int attempt = 0; attempt < 500 && !done; ++attempt) {
    HWND box = FindWindowW(L"#32770", nullptr);
    DWORD process = 0;
    if (box) GetWindowThreadProcessId(box, &process);
    if (box && process == GetCurrentProcessId()) {
      wchar_t buffer[256] = {};
      GetWindowTextW(box, buffer, 256);
      seen.Caption = buffer;
      GetDlgItemTextW(box, 0xFFFF, buffer, 256);  // the message box's static text
      seen.Text = buffer;
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      return;
    }
    Sleep(20);
  }
}

TEST(SkinMessage, UnknownFormatShowsTheFrameworkMessageBox) {
  SetApplicationTitle("Corvale");
  std::vector<uint8_t> archive = BuildSkinArchive({{"skin.ini", {'[', 'A', ']'}}});
  archive[0] = 0x10, archive[1] = 0x27, archive[2] = 0;  // format 10000

  TSeenBox seen;
  std::atomic<bool> done{false};
  std::thread answer(AnswerMessageBox, std::ref(seen), std::ref(done));
  TSkinReader reader;
  bool loaded = reader.LoadArchive(archive.data(), archive.size());
  done = true;
  answer.join();

  EXPECT_FALSE(loaded);
  EXPECT_EQ(seen.Caption, L"Corvale");
  EXPECT_EQ(seen.Text, L"This is Older Skin File\r\nPlease update to new version !");
  EXPECT_EQ(reader.Count(), 0);
}

}  // namespace
