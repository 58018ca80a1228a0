#include "fuzz/FuzzApplication.h"

#include <QByteArray>

#include "app/Classes.h"
#include "resources/Resources.h"
#include "runtime/Application.h"

void StartFuzzApplication(int *argc, char ***argv)
{
    if (TApplication::Instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Lives as long as the process: the fuzzing engine ends it without returning here.
    new TApplication(*argc, *argv);
    InitResources();
    RegisterClasses();
}
