#pragma once

#include <QPointer>

class QPainter;

#include "runtime/GraphicControl.h"
#include "runtime/PopupMenu.h"
#include "runtime/TestPeer.h"
#include "skin/ButtonGlyph.h"
#include "skin/ButtonLayout.h"
#include "skin/FontFx.h"

// A flat button of the skinned window: the skin shows through it, it draws an edge only while the pointer
// is over it or while it is down, and it either raises a click (alone, or as a toggle of a group) or drops
// down a popup menu. Every change of its state goes through one routine, which also runs a 100 ms hover
// check from the shared timer pool, so that a pointer leaving faster than the leave notification still
// returns the button to Up.
class TExplorerButton : public TGraphicControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TExplorerButton)
    Q_PROPERTY(QString Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(bool UnColorMain READ UnColorMain WRITE SetUnColorMain)
    Q_PROPERTY(TPopupMenu *DropDownMenu READ DropDownMenu WRITE SetDropDownMenu)
    Q_PROPERTY(int DropDownIndent READ DropDownIndent WRITE SetDropDownIndent)
    Q_PROPERTY(bool DropDownRight READ DropDownRight WRITE SetDropDownRight)
    Q_PROPERTY(TColor EnterColor READ EnterColor WRITE SetEnterColor)
    Q_PROPERTY(bool EnterColorChange READ EnterColorChange WRITE SetEnterColorChange)
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE SetAllowAllUp)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    Q_PROPERTY(bool Pressed READ Pressed WRITE SetPressed)
    Q_PROPERTY(bool RepeatedClick READ RepeatedClick WRITE SetRepeatedClick)
    Q_PROPERTY(int RepeatingInterval READ RepeatingInterval WRITE SetRepeatingInterval)
    Q_PROPERTY(TButtonLayout *ButtonLayout READ ButtonLayout)
    Q_PROPERTY(TFontFx *FontFx READ FontFx)

public:
    enum class TState
    {
        Up = 0,
        Disabled = 1,
        Hot = 2,
        Down = 3,
        Pushed = 4,
        DroppedDown = 6,
        DisabledDown = 7,
    };

    static constexpr int kHoverInterval = 100;
    // Arrow size and indent are cut to this, so that a stored absurd value cannot stall painting.
    static constexpr int kMaxArrowSize = 64;

    explicit TExplorerButton(QWidget *parent = nullptr);
    ~TExplorerButton() override;

    // The name of an embedded image file; an unknown name gives no glyph.
    QString Glyph() const { return m_glyphName; }
    void SetGlyph(const QString &name);
    void SetGlyphBitmap(const QImage &bitmap);
    int NumGlyphs() const { return m_glyph.NumGlyphs(); }
    void SetNumGlyphs(int numGlyphs);
    bool UnColorMain() const { return m_glyph.UnColorMain(); }
    void SetUnColorMain(bool unColorMain);
    TPopupMenu *DropDownMenu() const { return m_dropDownMenu; }
    void SetDropDownMenu(TPopupMenu *menu);
    int DropDownIndent() const { return m_dropDownIndent; }
    void SetDropDownIndent(int indent) { m_dropDownIndent = indent; }
    bool DropDownRight() const { return m_dropDownRight; }
    void SetDropDownRight(bool right) { m_dropDownRight = right; }
    TColor EnterColor() const { return m_enterColor; }
    void SetEnterColor(TColor color);
    bool EnterColorChange() const { return m_enterColorChange; }
    void SetEnterColorChange(bool change);
    bool AllowAllUp() const { return m_allowAllUp; }
    void SetAllowAllUp(bool allowAllUp);
    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int groupIndex);
    // Only a grouped button can be pressed; a pressed one lets go only when its group allows all up.
    bool Pressed() const { return m_pressed; }
    void SetPressed(bool pressed);
    bool RepeatedClick() const { return m_repeatedClick; }
    void SetRepeatedClick(bool repeated) { m_repeatedClick = repeated; }
    int RepeatingInterval() const { return m_repeatingInterval; }
    void SetRepeatingInterval(int interval) { m_repeatingInterval = interval; }
    TButtonLayout *ButtonLayout() const { return m_layout; }
    TFontFx *FontFx() const { return m_fontFx; }

    TNotifyEvent OnMouseExit;
    TNotifyEvent OnDblClick;

protected:
    void Invalidate() override;
    void CaptionChanged() override;
    void EnabledChanged() override;
    void MouseLeave() override;

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    friend struct TTestPeer<TExplorerButton>;

    // The glyph's box, the caption's rectangle (with its effects) and the drop-down arrow's box inside the
    // button, as painted now; the arrow's is empty while ButtonLayout.Arrow is off.
    struct TBoxes
    {
        QRect glyph;
        QRect text;
        QRect arrow;
        // The caption's size without its effects.
        QSize caption;
    };

    // The glyph index the current state shows.
    int GlyphIndex() const;
    void ChangeState(TState state);
    void HoverTick();
    void DropDown();
    void Release(bool inside);
    void Accelerator();
    void NotifyGroup();
    void GroupChanged(const TExplorerButton &sender);
    bool FewGlyphs() const;
    bool Sunken() const;
    TBoxes Layout() const;
    void DrawArrow(QPainter &painter, const QRect &box) const;
    void StopTimer(int &handle);

    TButtonGlyph m_glyph;
    QString m_glyphName;
    QPointer<TPopupMenu> m_dropDownMenu;
    int m_dropDownIndent = 0;
    bool m_dropDownRight = false;
    TColor m_enterColor = clCaptionText;
    bool m_enterColorChange = false;
    bool m_allowAllUp = false;
    int m_groupIndex = 0;
    bool m_pressed = false;
    bool m_repeatedClick = false;
    int m_repeatingInterval = 100;
    TButtonLayout *m_layout;
    TFontFx *m_fontFx;

    TState m_state = TState::Up;
    TState m_previousState = TState::Up;
    bool m_mouseDown = false;
    bool m_postClick = false;
    int m_hoverTimer = 0;
    int m_repeatTimer = 0;
    int m_shortcut = 0;
};
