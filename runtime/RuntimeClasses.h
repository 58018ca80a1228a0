#pragma once

// Makes the runtime's own layout classes (popup menus and their items) known to stored layouts.
void RegisterRuntimeClasses();
