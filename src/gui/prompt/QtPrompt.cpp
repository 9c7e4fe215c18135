#include "gui/prompt/QtPrompt.h"

#include "gui/prompt/ProgressBox.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace {

QWidget* owner()
{
    return QApplication::activeWindow();
}

QMessageBox::Icon boxIcon(Prompt::Icon icon)
{
    switch (icon) {
    case Prompt::Icon::Information:
        return QMessageBox::Information;
    case Prompt::Icon::Warning:
        return QMessageBox::Warning;
    case Prompt::Icon::Error:
        return QMessageBox::Critical;
    case Prompt::Icon::Question:
        return QMessageBox::Question;
    case Prompt::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Texts hold what a shared catalog says (bookmark names, folders): shown as
// they are, never as markup.
void plainText(QMessageBox& box)
{
    box.setTextFormat(Qt::PlainText);
}

} // namespace

QMessageBox::StandardButton QtPrompt::runBox(const QString& text, Icon icon, const QString& caption,
                                             QMessageBox::StandardButtons buttons, QMessageBox::StandardButton escape)
{
    QMessageBox box(boxIcon(icon), title(caption), text, buttons, owner());
    plainText(box);
    box.setEscapeButton(escape);
    return QMessageBox::StandardButton(box.exec());
}

void QtPrompt::message(const QString& text, Icon icon, const QString& caption)
{
    runBox(text, icon, caption, QMessageBox::Ok, QMessageBox::Ok);
}

Prompt::Answer QtPrompt::askYesNo(const QString& text, Icon icon, const QString& caption)
{
    return runBox(text, icon, caption, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes
               ? Answer::Yes
               : Answer::No;
}

Prompt::Answer QtPrompt::askYesNoCancel(const QString& text, Icon icon, const QString& caption)
{
    switch (
        runBox(text, icon, caption, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

Prompt::Answer QtPrompt::askOkCancel(const QString& text, Icon icon, const QString& caption)
{
    return runBox(text, icon, caption, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Ok
               ? Answer::Ok
               : Answer::Cancel;
}

Prompt::Answer QtPrompt::askOkCancelOr(const QString& text, const QString& other, Icon icon, const QString& caption)
{
    QMessageBox box(boxIcon(icon), title(caption), text, QMessageBox::Ok, owner());
    plainText(box);
    QPushButton* otherButton = box.addButton(other, QMessageBox::ActionRole);
    box.addButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == otherButton)
        return Answer::Other;
    return box.clickedButton() == box.button(QMessageBox::Ok) ? Answer::Ok : Answer::Cancel;
}

int QtPrompt::askChoice(const QString& text, const QStringList& choices, Icon icon, const QString& caption)
{
    QMessageBox box(boxIcon(icon), title(caption), text, QMessageBox::NoButton, owner());
    QList<QAbstractButton*> buttons;
    for (qsizetype i = 0; i < choices.size(); ++i)
        buttons.append(
            box.addButton(choices[i], i + 1 < choices.size() ? QMessageBox::ActionRole : QMessageBox::RejectRole));
    if (buttons.isEmpty())
        return -1;
    box.setDefaultButton(qobject_cast<QPushButton*>(buttons.last()));
    box.setEscapeButton(buttons.last());
    box.exec();
    return int(buttons.indexOf(box.clickedButton()));
}

void QtPrompt::showProgress(const QString& caption, ProgressJob& job)
{
    ProgressBox box(caption, job, owner());
    box.run();
}

QString QtPrompt::toQtFilter(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        description.remove(QRegularExpression(QStringLiteral("\\s*\\([^)]*\\)\\s*$")));
        QStringList patterns;
        for (QString pattern : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*")) {
                patterns << QStringLiteral("*");
                continue;
            }
            if (!patterns.contains(pattern.toLower()))
                patterns << pattern.toLower();
            if (!patterns.contains(pattern.toUpper()))
                patterns << pattern.toUpper();
        }
        entries << description + " (" + patterns.join(' ') + ")";
    }
    return entries.join(QStringLiteral(";;"));
}

QString QtPrompt::openFileName(const QString& caption, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(owner(), caption, folder, toQtFilter(filter));
}

QStringList QtPrompt::openFileNames(const QString& caption, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileNames(owner(), caption, folder, toQtFilter(filter));
}

QString QtPrompt::saveFileName(const QString& caption, const QString& folder, const QString& filter)
{
    return QFileDialog::getSaveFileName(owner(), caption, folder, toQtFilter(filter));
}

QString QtPrompt::existingFolder(const QString& caption, const QString& folder)
{
    return QFileDialog::getExistingDirectory(owner(), caption, folder);
}

std::optional<QString> QtPrompt::inputText(const QString& caption, const QString& label, const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), title(caption), label, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}
