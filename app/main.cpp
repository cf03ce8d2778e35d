// Start-up of the Corvale invoice viewer: the application, its title, the main window and the
// message loop. Whatever escapes is shown by the application's exception display.
#include "framework/win32.h"

#include "app/main_form.h"
#include "framework/class_registry.h"
#include "framework/forms.h"
#include "picture/png_image.h"
#include "skin/data/skin_data.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TApplication application(nullptr);
  GuardedCall([&] {
    RegisterFrameworkClasses();
    RegisterPngPictures();
    RegisterSkinClasses();
    application.Initialize();
    application.SetTitle("Corvale");
    MainDFM = application.CreateForm<TMainDFM>();
    application.Run();
  });
  return 0;
}
