#include "runtime/RuntimeClasses.h"

#include "runtime/ClassRegistry.h"
#include "runtime/MenuItem.h"
#include "runtime/PopupMenu.h"

void RegisterRuntimeClasses()
{
    TClassRegistry &registry = TClassRegistry::Instance();
    registry.RegisterClass<TPopupMenu>();
    registry.RegisterClass<TMenuItem>();
}
