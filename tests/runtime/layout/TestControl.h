#pragma once

#include <QByteArray>
#include <QStringList>
#include <QWidget>

#include "runtime/Color.h"
#include "runtime/Component.h"
#include "tests/runtime/layout/TestFont.h"

// A control with one property of every kind a layout stores, an event and a self-stored byte block.
class TTestControl : public QWidget, public TComponent
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)
    Q_PROPERTY(uchar Level READ Level WRITE SetLevel)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(TTestKind Kind READ Kind WRITE SetKind)
    Q_PROPERTY(TTestOptions Options READ Options WRITE SetOptions)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(QByteArray Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
    Q_PROPERTY(TTestFont *Font READ Font)
    Q_PROPERTY(TTestControl *Buddy READ Buddy WRITE SetBuddy)
    Q_PROPERTY(int Scratch READ Scratch WRITE SetScratch STORED false)

public:
    enum TTestKind : int
    {
        tkPlain,
        tkRaised,
        tkSunken,
    };
    Q_ENUM(TTestKind)

    enum TTestOption
    {
        toBold = 1,
        toItalic = 2,
        toUnderline = 4,
    };
    Q_DECLARE_FLAGS(TTestOptions, TTestOption)
    Q_FLAG(TTestOptions)

    explicit TTestControl(QWidget *parent = nullptr);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    int Left() const { return m_left; }
    void SetLeft(int left);
    double Ratio() const { return m_ratio; }
    void SetRatio(double ratio) { m_ratio = ratio; }
    uchar Level() const { return m_level; }
    void SetLevel(uchar level) { m_level = level; }
    bool Flat() const { return m_flat; }
    void SetFlat(bool flat) { m_flat = flat; }
    TTestKind Kind() const { return m_kind; }
    void SetKind(TTestKind kind) { m_kind = kind; }
    TTestOptions Options() const { return m_options; }
    void SetOptions(TTestOptions options) { m_options = options; }
    TColor Color() const { return m_color; }
    void SetColor(TColor color) { m_color = color; }
    QByteArray Glyph() const { return m_glyph; }
    void SetGlyph(const QByteArray &glyph) { m_glyph = glyph; }
    QStringList Lines() const { return m_lines; }
    void SetLines(const QStringList &lines) { m_lines = lines; }
    TTestFont *Font() const { return m_font; }
    TTestControl *Buddy() const { return m_buddy; }
    void SetBuddy(TTestControl *buddy);
    int Scratch() const { return m_scratch; }
    void SetScratch(int scratch) { m_scratch = scratch; }
    QByteArray Mask() const { return m_mask; }

    TNotifyEvent OnClick;
    TNotifyEvent OnChange;
    std::function<void(QObject *Sender, int Step)> OnStep;

    void Loaded() override;
    std::vector<TDefinedProperty> DefinedProperties() override;

private:
    void ReadMask(const QVariant &value);

    QString m_caption;
    int m_left = 0;
    double m_ratio = 1.5;
    uchar m_level = 0;
    bool m_flat = false;
    TTestKind m_kind = tkPlain;
    TTestOptions m_options;
    TColor m_color = clBtnFace;
    QByteArray m_glyph;
    QStringList m_lines;
    TTestFont *m_font;
    TTestControl *m_buddy = nullptr;
    int m_scratch = 0;
    // A length-prefixed block, like a stored region: four little-endian bytes N, then N bytes.
    QByteArray m_mask = QByteArray(4, '\0');
};
