#pragma once

#include <QByteArray>
#include <QString>

// The program's own files, embedded in it: the main window's stored layout and its artwork. Their ":/name"
// paths work once InitResources() has run; the program calls it at start, beside RegisterClasses(), and a
// second call does nothing.
void InitResources();

// The contents of an embedded file, by its file name in resources/, whether or not InitResources() ran;
// throws Exception when the program lacks it.
QByteArray ReadResource(const QString &name);
