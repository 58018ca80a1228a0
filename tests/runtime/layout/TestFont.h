#pragma once

#include <QObject>
#include <QString>

#include "runtime/Color.h"

// A sub-object that a layout sets through dotted names (`Font.Name`).
class TTestFont : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)

public:
    explicit TTestFont(QObject *parent = nullptr) : QObject(parent) {}

    QString Name() const { return m_name; }
    void SetName(const QString &name) { m_name = name; }
    int Height() const { return m_height; }
    void SetHeight(int height) { m_height = height; }
    TColor Color() const { return m_color; }
    void SetColor(TColor color) { m_color = color; }

private:
    QString m_name = QStringLiteral("MS Sans Serif");
    int m_height = -11;
    TColor m_color = clWindowText;
};
