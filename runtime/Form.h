#pragma once

#include "runtime/WinControl.h"

// A top-level window built from a stored layout: a windowed control whose position is the window's place
// on the screen. It is created hidden and shown by Show(). A form's event handlers are Q_INVOKABLE
// methods `void Name(QObject *Sender)` of its subclass, bound by name.
class TForm : public TWinControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm)
    // A form stores its client size; these shadow the control's stored outer size.
    Q_PROPERTY(int Width READ Width WRITE SetWidth STORED false)
    Q_PROPERTY(int Height READ Height WRITE SetHeight STORED false)
    Q_PROPERTY(int ClientWidth READ ClientWidth WRITE SetClientWidth)
    Q_PROPERTY(int ClientHeight READ ClientHeight WRITE SetClientHeight)
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

    // Outer size, frame included; equal to the client size while the window has no frame.
    int Width() const override;
    void SetWidth(int width) override;
    int Height() const override;
    void SetHeight(int height) override;
    int ClientWidth() const { return width(); }
    void SetClientWidth(int width);
    int ClientHeight() const { return height(); }
    void SetClientHeight(int height);

    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle borderStyle);

    void Show();
    // Closing the application's main form ends the program.
    void Close();

    // The client size stored in the layout wins over whatever controls did to it while loading.
    void Loaded() override;

protected:
    // The caption is the window's title.
    void CaptionChanged() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void ApplyBorderStyle();
    QSize FrameExtra() const;

    TFormBorderStyle m_borderStyle = bsSizeable;
    int m_storedClientWidth = -1;
    int m_storedClientHeight = -1;
};
