#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The program's own files, embedded in it: the main window's stored layout and its artwork. Their ":/name"
// paths work once InitResources() has run; the program calls it at start, beside RegisterClasses(), and a
// second call does nothing.
void InitResources();

// The contents of an embedded file, by its file name in resources/, whether or not InitResources() ran;
// throws Exception when the program lacks it.
QByteArray ReadResource(const QString &name);

// An embedded image, decoded by the format its name's suffix gives, so that no image plugin is loaded to
// guess it; a null image when the program lacks it or it does not decode.
QImage ReadImage(const QString &name);
