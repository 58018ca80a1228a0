#include <malloc.h>

#include <memory>

#include <QCoreApplication>

#include "app/Classes.h"
#include "app/ClientChoice.h"
#include "app/CommandLine.h"
#include "app/DisplayStart.h"
#include "app/UMain.h"
#include "resources/Resources.h"
#include "runtime/Application.h"
#include "runtime/Exception.h"
#include "runtime/MessageBox.h"

int main(int argc, char **argv)
{
    // The toolkit's few helper threads allocate little, so they share one arena, and large images, decoded
    // and converted at start, go back to the system when freed instead of staying in the heap.
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    TCommandLine::AnswerHelpAndVersion(argc, argv);
    const std::unique_ptr<TApplication> application = StartOnDisplay(argc, argv);
    application->SetTitle(QStringLiteral("Sembrolin"));
    const TCommandLine commandLine = TCommandLine::Parse(QCoreApplication::arguments());
    if (!ChooseClient(commandLine.ServersFile()))
        return 2;
    InitResources();
    RegisterClasses();

    std::unique_ptr<TFMain> FMain;
    try {
        FMain = std::make_unique<TFMain>();
    } catch (const Exception &error) {
        ShowErrorMessage(error.Message());
        return 1;
    }
    TApplication::SetMainForm(FMain.get());
    FMain->StartUp();
    FMain->Show();
    return TApplication::Run();
}
