#pragma once

#include <QFont>
#include <QString>

#include "runtime/Color.h"
#include "runtime/Persistent.h"

// The font of a control or a form: a stored sub-object whose properties a layout writes as `Font.Name`,
// `Font.Height` and so on.
class TFont : public TPersistent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFont)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(int Size READ Size WRITE SetSize STORED false)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TFontStyles Style READ Style WRITE SetStyle)
    Q_PROPERTY(TFontPitch Pitch READ Pitch WRITE SetPitch)

public:
    enum TFontStyle
    {
        fsBold = 0x1,
        fsItalic = 0x2,
        fsUnderline = 0x4,
        fsStrikeOut = 0x8,
    };
    Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
    Q_FLAG(TFontStyles)

    enum TFontPitch
    {
        fpDefault,
        fpVariable,
        fpFixed,
    };
    Q_ENUM(TFontPitch)

    // Sizes in points are taken at 96 pixels per inch, whatever the screen says.
    static constexpr int kPixelsPerInch = 96;
    // Far beyond any screen; heights are cut to it, so that no size or height overflows on its way.
    static constexpr int kMaxHeight = 16384;

    explicit TFont(QObject *parent = nullptr);

    QString Name() const { return m_name; }
    void SetName(const QString &name);
    // Negative: the character height in pixels (-11 is 11 pixels). Positive: the cell height, character
    // plus internal leading. 0: the default height. Cut to kMaxHeight either way.
    int Height() const { return m_height; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles style);
    TFontPitch Pitch() const { return m_pitch; }
    void SetPitch(TFontPitch pitch);

    // Copies every property and notifies once when anything differed.
    void Assign(const TFont &source);
    bool Equals(const TFont &other) const;

    // Pixel size = character height, no antialiasing (the skin is pixel art), family as stored.
    QFont ToQFont() const;

    // "MS Sans Serif" and "Arial" are drawn by Liberation Sans, which has their metrics. Called once by
    // the application and by the test main.
    static void InstallSubstitutes();

private:
    QString m_name;
    int m_height;
    TColor m_color;
    TFontStyles m_style;
    TFontPitch m_pitch = fpDefault;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFont::TFontStyles)
