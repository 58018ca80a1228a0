#include "skin/SkinClasses.h"

#include "runtime/ClassRegistry.h"
#include "skin/ExplorerButton.h"

void RegisterSkinClasses()
{
    TClassRegistry::Instance().RegisterClass<TExplorerButton>();
}
