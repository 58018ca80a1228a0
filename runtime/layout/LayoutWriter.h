#pragma once

#include <QString>

class QObject;

// Writes a window back as layout text that ReadLayout takes. A property is written when its value
// differs from a default instance: one made through the class registry from the nearest registered class
// of the object's line of descent (so a form whose constructor loads its own layout should not be
// registered; its registered base gives the defaults). An object with no registered class at all has
// every stored property written. Throws Exception for a stored value the layout text cannot express.
QString WriteLayout(QObject *root);
