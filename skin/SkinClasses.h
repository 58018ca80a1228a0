#pragma once

// Makes the skin's controls known to stored layouts.
void RegisterSkinClasses();
