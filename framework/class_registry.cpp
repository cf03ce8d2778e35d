#include "framework/class_registry.h"

#include "framework/controls/buttons.h"
#include "framework/controls/images.h"
#include "framework/controls/labels.h"
#include "framework/open_dialog.h"
#include "framework/controls/panels.h"
#include "framework/controls/status_bar.h"
#include "framework/controls/tab_control.h"
#include "framework/timer.h"
#include "framework/controls/web_browser.h"

// Listed here rather than registered by each module: a static library drops modules that nothing
// references, and their registrations with them.
void RegisterFrameworkClasses() {
  for (const TClassInfo* info :
       {&TWinControl::StaticClassInfo(), &TPanel::StaticClassInfo(), &TStatusBar::StaticClassInfo(),
        &TLabel::StaticClassInfo(), &TButton::StaticClassInfo(), &TBitBtn::StaticClassInfo(),
        &TImage::StaticClassInfo(), &TTabControl::StaticClassInfo(), &TTimer::StaticClassInfo(),
        &TOpenDialog::StaticClassInfo(), &TCppWebBrowser::StaticClassInfo()}) {
    RegisterComponentClass(*info);
  }
}
