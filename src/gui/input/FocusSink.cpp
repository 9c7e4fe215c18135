#include "gui/input/FocusSink.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QPalette>

namespace {

constexpr QRgb ActiveColor = 0x008000;
constexpr QRgb InactiveColor = 0xFF0000;

} // namespace

FocusSink::FocusSink(QWidget* parent) : QWidget(parent), m_focusPanel(new QWidget(this))
{
    setObjectName(QStringLiteral("PanelFocusPanel"));
    setAccessibleName(QStringLiteral("PanelFocusPanel"));
    setFixedWidth(0);
    m_focusPanel->setObjectName(QStringLiteral("focusPanel"));
    m_focusPanel->setFocusPolicy(Qt::StrongFocus);
    m_focusPanel->setFixedWidth(0);
    m_focusPanel->setAutoFillBackground(true);
    m_focusPanel->installEventFilter(this);
    showState(false);
}

void FocusSink::takeFocus()
{
    if (isHidden())
        show();
    m_focusPanel->setFocus(Qt::OtherFocusReason);
}

bool FocusSink::isActive() const
{
    return m_focusPanel->hasFocus();
}

QString FocusSink::stateText() const
{
    return m_stateText;
}
QColor FocusSink::stateColor() const
{
    return m_stateColor;
}

void FocusSink::setInactiveText(const QString& text)
{
    m_inactiveText = text;
    showState(isActive());
}

void FocusSink::showState(bool active)
{
    m_stateText = active ? m_activeText : m_inactiveText;
    m_stateColor = QColor::fromRgb(active ? ActiveColor : InactiveColor);
    QPalette pal = m_focusPanel->palette();
    pal.setColor(QPalette::Window, m_stateColor);
    m_focusPanel->setPalette(pal);
    m_focusPanel->setAccessibleName(m_stateText);
    m_focusPanel->setToolTip(m_stateText);
}

bool FocusSink::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_focusPanel) {
        switch (event->type()) {
        case QEvent::FocusIn:
            showState(true);
            break;
        case QEvent::FocusOut:
            showState(false);
            break;
        case QEvent::MouseButtonPress:
            emit focusPanelClick();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void handBackKeysAfterClick(QAbstractButton* button, std::function<void()> handler, std::function<void()> giveKeysBack)
{
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [handler = std::move(handler), giveKeysBack = std::move(giveKeysBack)] {
                         handler();
                         giveKeysBack();
                     });
}

void handBackKeysAfterPick(QComboBox* list, std::function<void()> handler, std::function<void()> giveKeysBack)
{
    QObject::connect(list, &QComboBox::activated, list,
                     [handler = std::move(handler), giveKeysBack = std::move(giveKeysBack)] {
                         handler();
                         giveKeysBack();
                     });
}
