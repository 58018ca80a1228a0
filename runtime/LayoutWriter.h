#pragma once

#include <map>
#include <memory>

#include <QString>

class QObject;
struct QMetaObject;

// Writes a window back as layout text that ReadLayout takes. A property is written when its value
// differs from a default instance: one made through the class registry from the nearest registered class
// of the object's line of descent (so a form whose constructor loads its own layout should not be
// registered; its registered base gives the defaults). An object with no registered class at all has
// every stored property written. Throws Exception for a stored value the layout text cannot express.
QString WriteLayout(QObject *root);

class TLayoutWriter
{
public:
    static QString Write(QObject *root);

private:
    TLayoutWriter() = default;

    void Object(QObject *object, int depth);
    void Properties(const QObject *object, const QObject *defaults, const QString &prefix, int depth);
    void Events(QObject *object, int depth);
    void DefinedProperties(QObject *object, int depth);
    void Line(int depth, const QString &text);
    const QObject *Defaults(const QObject *object);

    QString m_text;
    std::map<const QMetaObject *, std::unique_ptr<QObject>> m_defaults;
};
