#include <memory>

#include "app/Classes.h"
#include "app/UMain.h"
#include "resources/Resources.h"
#include "runtime/Application.h"
#include "runtime/Exception.h"
#include "runtime/MessageBox.h"

int main(int argc, char **argv)
{
    TApplication application(argc, argv);
    application.SetTitle(QStringLiteral("Sembrolin"));
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
