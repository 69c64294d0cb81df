// The program entry: application object, kit application object, title, main window, loop.
#include "app/ProgramEntry.h"

#include <cstdio>

#include "framework/Registration.h"
#include "framework/app/Application.h"
#include "imaging/ThemeWatcher.h"
#include "menu/MainForm.h"
#include "menu/Registration.h"
#include "services/ZkApplication.h"

namespace zindra::app {

int RunProgram(platform::Platform& platform, const ProgramHooks& hooks) {
    RegisterFrameworkClasses();
    RegisterMenuClasses();
    int status = 0;
    {
        TApplication application(platform);
        // The kit's application object comes before any window: it takes the single-instance
        // mutex and owns the timer pool.
        new TZkApplication(&application);
        // The system's visual styles, followed for the whole run.
        new TThemeWatcher(&application);
        application.SetTitle("Zindra Gr 67");
        if (hooks.Started) hooks.Started(application.Handle());
        try {
            application.CreateForm<TForm1>();
            application.Run();
        } catch (const std::exception& e) {
            // Nothing should get here; if it does, report it the standard way and end.
            application.ShowException(e);
            status = 1;
        }
        if (hooks.Ended) hooks.Ended();
    }
    return status;
}

}  // namespace zindra::app
