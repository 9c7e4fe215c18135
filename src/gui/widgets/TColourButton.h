#pragma once

#include <QAbstractButton>
#include <QColor>

// A push button that paints itself: its own face colour, a second face and
// text colour while hot (mouse over it or keyboard focus in it), and one of
// four edge looks. Being a QAbstractButton it clicks, takes the keyboard and
// reads out to accessibility tools like any button.
//
// Changing Color, HotColor or HotTextColor turns ParentColor off; while
// ParentColor is on the face follows the parent's background colour. The
// accessible name follows the caption (setText() below) and the hint is the
// tool tip.
class TColourButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)
    Q_PROPERTY(QColor hotColor READ hotColor WRITE setHotColor)
    Q_PROPERTY(QColor hotTextColor READ hotTextColor WRITE setHotTextColor)
    Q_PROPERTY(ButtonLook buttonLook READ buttonLook WRITE setButtonLook)
    Q_PROPERTY(bool parentColor READ parentColor WRITE setParentColor)
    Q_PROPERTY(bool wordWrap READ wordWrap WRITE setWordWrap)
    Q_PROPERTY(Qt::Alignment alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(int margin READ margin WRITE setMargin)
    Q_PROPERTY(bool showFocus READ showFocus WRITE setShowFocus)
    Q_PROPERTY(bool showDefaultMarker READ showDefaultMarker WRITE setShowDefaultMarker)
    Q_PROPERTY(bool hot READ isHot)

public:
    enum ButtonLook { blNormal, blFramed, blFlat, blFramedOnHover };
    Q_ENUM(ButtonLook)

    explicit TColourButton(QWidget* parent = nullptr);
    explicit TColourButton(const QString& caption, QWidget* parent = nullptr);
    // A window's button: named, captioned, its hot caption in the system
    // button-highlight colour, and taking the focus only on a click, so that
    // keys stay with the window's focus sink.
    static TColourButton* make(const char* objectName, const QString& caption, QWidget* parent);

    // Caption; also the accessible name (with "&" mnemonics removed). Hides
    // QAbstractButton::setText, so set captions through this class.
    void setText(const QString& caption);
    // Hint shown as the tool tip.
    void setHint(const QString& hint) { setToolTip(hint); }
    QString hint() const { return toolTip(); }

    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    QColor hotColor() const { return m_hotColor; }
    void setHotColor(const QColor& color);
    QColor hotTextColor() const { return m_hotTextColor; }
    void setHotTextColor(const QColor& color);

    ButtonLook buttonLook() const { return m_look; }
    void setButtonLook(ButtonLook look);
    bool parentColor() const { return m_parentColor; }
    void setParentColor(bool on);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool on);
    // Horizontal placement of the caption: left, right or centre.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    int margin() const { return m_margin; }
    void setMargin(int pixels);
    bool showFocus() const { return m_showFocus; }
    void setShowFocus(bool on);
    bool showDefaultMarker() const { return m_showDefaultMarker; }
    void setShowDefaultMarker(bool on);
    // Marks this as its window's default button (drawn only with the marker).
    void setDefault(bool on);

    bool isHot() const { return m_mouseOver || hasFocus(); }
    // The face colour painted now (hot or not, parent colour applied).
    QColor currentFaceColor() const;
    // The caption colour painted now: HotTextColor while hot, unless it can
    // hardly be told from the hot face, else the font's colour.
    QColor currentTextColor() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void setMouseOver(bool over);
    QColor faceColorWhenCool() const;
    int textFlags() const;

    QColor m_color;
    QColor m_hotColor;
    QColor m_hotTextColor;
    ButtonLook m_look = blNormal;
    bool m_parentColor = true;
    bool m_wordWrap = true;
    Qt::Alignment m_alignment = Qt::AlignHCenter;
    int m_margin = 2;
    bool m_showFocus = true;
    bool m_showDefaultMarker = false;
    bool m_default = false;
    bool m_mouseOver = false;
};
