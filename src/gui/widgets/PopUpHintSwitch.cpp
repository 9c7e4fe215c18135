#include "gui/widgets/PopUpHintSwitch.h"

#include "core/input/PopUpHints.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPointer>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

PopUpHintSwitch* PopUpHintSwitch::instance()
{
    // One per application object; a test's second application gets its own.
    static QPointer<PopUpHintSwitch> theSwitch;
    if (!theSwitch && qApp) {
        theSwitch = new PopUpHintSwitch(qApp);
        qApp->installEventFilter(theSwitch);
    }
    return theSwitch;
}

void PopUpHintSwitch::setHintsShown(bool shown)
{
    if (PopUpHintSwitch* s = instance()) {
        s->m_shown = shown;
        if (!shown)
            QToolTip::hideText();
    }
}

bool PopUpHintSwitch::hintsShown()
{
    const PopUpHintSwitch* s = instance();
    return !s || s->m_shown;
}

bool PopUpHintSwitch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return false;
    if (!m_shown)
        return true;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->toolTip().isEmpty())
        return false; // hints a widget makes itself (the grid's headers)
    auto* help = static_cast<QHelpEvent*>(event);
    QString text = widget->toolTip();
    if (Qt::mightBeRichText(text))
        text = Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
    QToolTip::showText(help->globalPos(), text, widget, QRect(), hints::DisplayMs);
    return true;
}
