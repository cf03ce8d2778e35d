#include "framework/class_registry.h"

#include "framework/buttons.h"
#include "framework/images.h"
#include "framework/labels.h"
#include "framework/open_dialog.h"
#include "framework/panels.h"
#include "framework/status_bar.h"
#include "framework/tab_control.h"
#include "framework/timer.h"
#include "framework/web_browser.h"

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
