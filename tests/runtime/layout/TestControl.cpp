#include "tests/runtime/layout/TestControl.h"

#include <QtEndian>

#include "runtime/Exception.h"
#include "tests/runtime/layout/TestJournal.h"

TTestControl::TTestControl(QWidget *parent) : QWidget(parent), m_font(new TTestFont(this))
{
    PublishEvent(QStringLiteral("OnClick"), OnClick);
    PublishEvent(QStringLiteral("OnChange"), OnChange);
    PublishEvent(QStringLiteral("OnStep"), OnStep);
}

void TTestControl::SetCaption(const QString &caption)
{
    TTestJournal::Add(QStringLiteral("%1.Caption loading=%2").arg(objectName()).arg(Loading()));
    m_caption = caption;
}

void TTestControl::SetLeft(int left)
{
    TTestJournal::Add(QStringLiteral("%1.Left loading=%2").arg(objectName()).arg(Loading()));
    m_left = left;
}

void TTestControl::SetBuddy(TTestControl *buddy)
{
    TTestJournal::Add(QStringLiteral("%1.Buddy").arg(objectName()));
    m_buddy = buddy;
}

void TTestControl::Loaded()
{
    TComponent::Loaded();
    TTestJournal::Add(
        QStringLiteral("%1.Loaded buddy=%2").arg(objectName(), m_buddy ? m_buddy->objectName() : "-"));
}

std::vector<TDefinedProperty> TTestControl::DefinedProperties()
{
    return {{QStringLiteral("Mask2"), [this](const QVariant &value) { ReadMask(value); },
             [this] { return QVariant(m_mask); }}};
}

void TTestControl::ReadMask(const QVariant &value)
{
    const QByteArray block = value.toByteArray();
    if (value.metaType().id() != QMetaType::QByteArray || block.size() < 4 ||
        qFromLittleEndian<quint32>(block.constData()) != quint32(block.size() - 4))
        throw Exception(QStringLiteral("the mask block does not hold its own length"));
    m_mask = block;
}
