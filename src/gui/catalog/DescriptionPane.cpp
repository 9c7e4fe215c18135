#include "gui/catalog/DescriptionPane.h"

#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

DescriptionPane::DescriptionPane(QWidget* parent) : QWidget(parent), DescriptionMemo(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("Panel8"));
    auto* title = new QLabel(QStringLiteral("Description"), this);
    title->setAccessibleName(title->text());
    DescriptionMemo->setObjectName(QStringLiteral("DescriptionMemo"));
    DescriptionMemo->setAccessibleName(QStringLiteral("Description"));
    DescriptionMemo->installEventFilter(this);
    connect(DescriptionMemo, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing)
            emit typed();
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(title);
    layout->addWidget(DescriptionMemo, 1);
}

void DescriptionPane::showText(const QString& text)
{
    m_showing = true;
    DescriptionMemo->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_showing = false;
    // As the box holds it: a lone CR or LF of a stored text reads back as a
    // line break without anybody typing anything.
    m_shown = DescriptionMemo->toPlainText();
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
