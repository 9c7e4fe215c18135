#include "gui/widgets/TColourButton.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

QString withoutMnemonics(const QString& caption)
{
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i; // "&x" shows x; "&&" shows one "&"
        plain.append(caption[i]);
    }
    return plain;
}

void drawEdges(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    painter.setPen(topLeft);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

// Relative luminance and contrast ratio of two colours (1 to 21).
double luminance(const QColor& c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Below this a caption can hardly be told from its face.
constexpr double kLegibleContrast = 2.0;

} // namespace

TColourButton::TColourButton(QWidget* parent) : TColourButton(QString(), parent)
{
}

TColourButton::TColourButton(const QString& caption, QWidget* parent)
    : QAbstractButton(parent), m_color(palette().color(QPalette::Button)),
      m_hotColor(palette().color(QPalette::Button)), m_hotTextColor(palette().color(QPalette::ButtonText))
{
    setFocusPolicy(Qt::StrongFocus);
    setText(caption);
}

void TColourButton::setText(const QString& caption)
{
    QAbstractButton::setText(caption);
    setAccessibleName(withoutMnemonics(caption));
    updateGeometry();
}

void TColourButton::setColor(const QColor& color)
{
    m_color = color;
    m_parentColor = false;
    update();
}

void TColourButton::setHotColor(const QColor& color)
{
    m_hotColor = color;
    m_parentColor = false;
    update();
}

void TColourButton::setHotTextColor(const QColor& color)
{
    m_hotTextColor = color;
    m_parentColor = false;
    update();
}

void TColourButton::setButtonLook(ButtonLook look)
{
    m_look = look;
    update();
}

void TColourButton::setParentColor(bool on)
{
    m_parentColor = on;
    update();
}

void TColourButton::setWordWrap(bool on)
{
    m_wordWrap = on;
    update();
}

void TColourButton::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void TColourButton::setMargin(int pixels)
{
    m_margin = qMax(0, pixels);
    update();
}

void TColourButton::setShowFocus(bool on)
{
    m_showFocus = on;
    update();
}

void TColourButton::setShowDefaultMarker(bool on)
{
    m_showDefaultMarker = on;
    update();
}

void TColourButton::setDefault(bool on)
{
    m_default = on;
    update();
}

QColor TColourButton::faceColorWhenCool() const
{
    if (m_parentColor && parentWidget())
        return parentWidget()->palette().color(parentWidget()->backgroundRole());
    return m_color;
}

QColor TColourButton::currentFaceColor() const
{
    return isHot() ? m_hotColor : faceColorWhenCool();
}

QColor TColourButton::currentTextColor() const
{
    const QColor normal = palette().color(QPalette::ButtonText);
    if (!isHot())
        return normal;
    // The hot text colour, unless it would vanish into the hot face (white
    // on a light grey face): then whichever of the two reads better.
    const QColor face = currentFaceColor();
    if (contrast(m_hotTextColor, face) >= kLegibleContrast)
        return m_hotTextColor;
    return contrast(normal, face) > contrast(m_hotTextColor, face) ? normal : m_hotTextColor;
}

int TColourButton::textFlags() const
{
    return int(m_alignment) | Qt::AlignTop | Qt::TextShowMnemonic |
           (m_wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
}

QSize TColourButton::sizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    const QRect text = fm.boundingRect(QRect(), Qt::TextSingleLine | Qt::TextShowMnemonic, this->text());
    return {text.width() + 2 * (m_margin + 2) + 8, fm.height() + 10};
}

QSize TColourButton::minimumSizeHint() const
{
    return {2 * (m_margin + 2) + 4, fontMetrics().height() + 4};
}

void TColourButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool hot = isHot();
    const bool down = isDown();
    const QColor face = currentFaceColor();
    const QColor text = currentTextColor();
    const QColor highlight = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Dark);

    QRect outer = rect();
    if (m_look == blFramedOnHover && hot) {
        painter.setPen(palette().color(QPalette::Shadow));
        painter.drawRect(outer.adjusted(0, 0, -1, -1));
        outer.adjust(1, 1, -1, -1);
    }
    const QRect faceRect = outer.adjusted(1, 1, -1, -1);
    painter.fillRect(faceRect, face);

    QColor topLeft = highlight;
    QColor bottomRight = shadow;
    if (down) {
        if (m_look == blFramed)
            topLeft = bottomRight = face;
        else
            std::swap(topLeft, bottomRight);
    } else if (m_look == blFlat && !hot) {
        const QColor parentBackground =
            parentWidget() ? parentWidget()->palette().color(parentWidget()->backgroundRole()) : face;
        topLeft = bottomRight = parentBackground;
    }
    drawEdges(painter, outer, topLeft, bottomRight);

    // Caption, centred vertically by its wrapped height.
    const int inset = m_margin + (m_look == blFramedOnHover ? 2 : 1);
    QRect textArea(rect().left() + inset, faceRect.top(), qMax(0, rect().width() - 2 * inset), faceRect.height());
    const int flags = textFlags();
    const int textHeight = painter.fontMetrics().boundingRect(textArea, flags, this->text()).height();
    textArea.setTop(faceRect.top() + (faceRect.height() - textHeight) / 2);
    textArea.setHeight(textHeight);
    if (down)
        textArea.translate(1, 1);
    if (isEnabled()) {
        painter.setPen(text);
        painter.drawText(textArea, flags, this->text());
    } else {
        painter.setPen(highlight);
        painter.drawText(textArea.translated(1, 1), flags, this->text());
        painter.setPen(shadow);
        painter.drawText(textArea, flags, this->text());
    }

    if (m_showDefaultMarker && m_default) {
        const QPoint corner = faceRect.bottomRight() - QPoint(2, 2);
        painter.setPen(Qt::NoPen);
        painter.setBrush(text);
        painter.drawPolygon(QPolygon{corner, corner - QPoint(5, 0), corner - QPoint(0, 5)});
    }

    if (m_showFocus && hasFocus()) {
        const int focusInset = m_look == blFramedOnHover ? 2 : 3;
        const QRect focusRect = faceRect.adjusted(focusInset, focusInset, -focusInset, -focusInset);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(text, 1, Qt::DotLine));
        painter.drawRect(focusRect.adjusted(0, 0, -1, -1));
    }
}

void TColourButton::setMouseOver(bool over)
{
    if (m_mouseOver == over)
        return;
    m_mouseOver = over;
    if (!m_parentColor || m_look == blFlat || m_look == blFramedOnHover)
        update();
}

void TColourButton::enterEvent(QEnterEvent* event)
{
    setMouseOver(true);
    QAbstractButton::enterEvent(event);
}

void TColourButton::leaveEvent(QEvent* event)
{
    setMouseOver(false);
    QAbstractButton::leaveEvent(event);
}

void TColourButton::focusInEvent(QFocusEvent* event)
{
    QAbstractButton::focusInEvent(event);
    update();
}

void TColourButton::focusOutEvent(QFocusEvent* event)
{
    QAbstractButton::focusOutEvent(event);
    update();
}

void TColourButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second click of a quick pair is a fresh press, so it clicks again.
    mousePressEvent(event);
}

TColourButton* TColourButton::make(const char* objectName, const QString& caption, QWidget* parent)
{
    auto* button = new TColourButton(caption, parent);
    button->setObjectName(QLatin1String(objectName));
    button->setFocusPolicy(Qt::ClickFocus);
    // While hot (mouse over it, or focused) the caption shows in the system
    // button-highlight colour.
    button->setHotTextColor(button->palette().color(QPalette::Light));
    return button;
}
