#include "gui/catalog/DescriptionPane.h"

#include "core/base/Prompt.h"

#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

DescriptionPane::DescriptionPane(QWidget* parent)
    : QWidget(parent), DescriptionMemo(new QPlainTextEdit(this)), m_practice(new QLabel(this))
{
    setObjectName(QStringLiteral("Panel8"));
    auto* title = new QLabel(QStringLiteral("Description"), this);
    title->setAccessibleName(title->text());
    DescriptionMemo->setObjectName(QStringLiteral("DescriptionMemo"));
    DescriptionMemo->setAccessibleName(QStringLiteral("Description"));
    DescriptionMemo->installEventFilter(this);
    // A text shown is set with the box's signals blocked: only the user's
    // changes come through.
    connect(DescriptionMemo, &QPlainTextEdit::textChanged, this, &DescriptionPane::typed);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(title);
    layout->addWidget(DescriptionMemo, 1);
    m_practice->setObjectName(QStringLiteral("PracticeLine"));
    m_practice->setWordWrap(true);
    m_practice->hide();
    layout->addWidget(m_practice);
    connect(DescriptionMemo, &QPlainTextEdit::textChanged, this, &DescriptionPane::checkChange);
    connect(DescriptionMemo, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (DescriptionMemo->toPlainText() == m_accepted)
            m_acceptedCursor = DescriptionMemo->textCursor().position();
    });
}

namespace {

QString stored(QString text)
{
    return text.replace(u'\n', QStringLiteral("\r\n"));
}

} // namespace

void DescriptionPane::checkChange()
{
    const QString now = DescriptionMemo->toPlainText();
    if (now == m_accepted)
        return;
    const QString message = m_check ? m_check(stored(m_accepted), stored(now)) : QString();
    if (message.isEmpty()) {
        m_accepted = now;
        m_acceptedCursor = DescriptionMemo->textCursor().position();
        return;
    }
    // The text goes back to what it was, the cursor where it stood; the
    // box is told once the text box has settled.
    const QSignalBlocker quiet(DescriptionMemo);
    DescriptionMemo->setPlainText(m_accepted);
    QTextCursor cursor = DescriptionMemo->textCursor();
    cursor.setPosition(std::min(m_acceptedCursor, int(m_accepted.size())));
    DescriptionMemo->setTextCursor(cursor);
    QTimer::singleShot(0, this, [message] { prompt().message(message, Prompt::Icon::Warning); });
}

void DescriptionPane::showText(const QString& text)
{
    {
        const QSignalBlocker quiet(DescriptionMemo);
        DescriptionMemo->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
    // As the box holds it: a lone CR or LF of a stored text reads back as a
    // line break without anybody typing anything.
    m_shown = DescriptionMemo->toPlainText();
    m_accepted = m_shown;
    m_acceptedCursor = 0;
}

void DescriptionPane::showPractice(const QString& text)
{
    m_practice->setText(text);
    m_practice->setAccessibleName(text);
    m_practice->setVisible(!text.isEmpty());
}

QString DescriptionPane::practiceText() const
{
    return m_practice->text();
}

std::optional<QString> DescriptionPane::typedText() const
{
    QString text = DescriptionMemo->toPlainText();
    if (text == m_shown)
        return std::nullopt;
    return text.replace(u'\n', QStringLiteral("\r\n"));
}

void DescriptionPane::markTaken()
{
    m_shown = DescriptionMemo->toPlainText();
}

QWidget* DescriptionPane::textBox() const
{
    return DescriptionMemo;
}

bool DescriptionPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == DescriptionMemo && event->type() == QEvent::FocusOut)
        emit left();
    return QWidget::eventFilter(watched, event);
}
