#pragma once

#include <QString>
#include <QWidget>

#include "runtime/Color.h"
#include "runtime/Component.h"
#include "runtime/Font.h"

// A top-level window built from a stored layout. It is created hidden and shown by Show(). A form's
// event handlers are Q_INVOKABLE methods `void Name(QObject *Sender)` of its subclass, bound by name.
class TForm : public QWidget, public TComponent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm)
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth STORED false)
    Q_PROPERTY(int Height READ Height WRITE SetHeight STORED false)
    Q_PROPERTY(int ClientWidth READ ClientWidth WRITE SetClientWidth)
    Q_PROPERTY(int ClientHeight READ ClientHeight WRITE SetClientHeight)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TFont *Font READ Font)
    Q_PROPERTY(TFormBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)

public:
    enum TFormBorderStyle
    {
        bsNone,
        bsSingle,
        bsSizeable,
        bsDialog,
        bsToolWindow,
        bsSizeToolWin,
    };
    Q_ENUM(TFormBorderStyle)

    explicit TForm(QWidget *parent = nullptr);

    // Position of the window's outer frame on the screen.
    int Left() const { return x(); }
    void SetLeft(int left);
    int Top() const { return y(); }
    void SetTop(int top);
    // Outer size, frame included; equal to the client size while the window has no frame.
    int Width() const;
    void SetWidth(int width);
    int Height() const;
    void SetHeight(int height);
    int ClientWidth() const { return width(); }
    void SetClientWidth(int width);
    int ClientHeight() const { return height(); }
    void SetClientHeight(int height);

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString &caption);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TFont *Font() const { return m_font; }
    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle borderStyle);

    void Show();
    // Closing the application's main form ends the program.
    void Close();

    // The client size stored in the layout wins over whatever controls did to it while loading.
    void Loaded() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void OwnFontChanged();
    void ApplyBorderStyle();
    QSize FrameExtra() const;

    TColor m_color = clBtnFace;
    TFont *m_font;
    TFormBorderStyle m_borderStyle = bsSizeable;
    int m_storedClientWidth = -1;
    int m_storedClientHeight = -1;
};
