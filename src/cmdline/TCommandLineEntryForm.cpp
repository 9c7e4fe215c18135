#include "cmdline/TCommandLineEntryForm.h"

#include "app/Prompt.h"
#include "cmdline/BookmarkCommandLine.h"
#include "input/FocusSink.h"
#include "playback/LoopPlayer.h"
#include "ui/widgets/TColourButton.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

TCommandLineEntryForm::TCommandLineEntryForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint), CommandLineText(new QLineEdit(this)),
      pasteCommandLineButton(new TColourButton(QStringLiteral("paste command line (u)"), this)),
      playCommandLineButton(new TColourButton(QStringLiteral("play command line (i)"), this)),
      focusSink(new FocusSink(this))
{
    setObjectName(QStringLiteral("CommandLineEntryForm"));
    setWindowTitle(QStringLiteral("Command Line Entry"));
    setFixedSize(618, 64);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(pal);
    setAutoFillBackground(true);

    CommandLineText->setObjectName(QStringLiteral("CommandLineText"));
    CommandLineText->setAccessibleName(QStringLiteral("Command Line Entry Box"));
    CommandLineText->setFrame(false);
    CommandLineText->setGeometry(8, 8, 601, 16);
    CommandLineText->installEventFilter(this);

    pasteCommandLineButton->setObjectName(QStringLiteral("pasteCommandLineButton"));
    pasteCommandLineButton->setGeometry(8, 32, 121, 25);
    pasteCommandLineButton->setFocusPolicy(Qt::ClickFocus);
    playCommandLineButton->setObjectName(QStringLiteral("playCommandLineButton"));
    playCommandLineButton->setGeometry(136, 32, 121, 25);
    playCommandLineButton->setFocusPolicy(Qt::ClickFocus);
    focusSink->setGeometry(0, 0, 0, height());

    connect(pasteCommandLineButton, &QAbstractButton::clicked, this,
            [this] { pasteCommandLineButtonClick(pasteCommandLineButton); });
    connect(playCommandLineButton, &QAbstractButton::clicked, this,
            [this] { playCommandLineButtonClick(playCommandLineButton); });
}

void TCommandLineEntryForm::pasteCommandLineButtonClick(QObject* sender)
{
    CommandLineText->clear();
    CommandLineText->insert(QGuiApplication::clipboard()->text());
    endWithSender(sender);
}

void TCommandLineEntryForm::playCommandLineButtonClick(QObject* sender)
{
    const CommandLineCheck check = checkBookmarkCommandLine(CommandLineText->text());
    if (check.rewritten)
        CommandLineText->setText(check.text);
    if (!check.ok()) {
        prompt().message(commandLineErrorMessage(check.error));
        endWithSender(sender);
        return;
    }
    if (m_player && m_player->StartVideoClip(check.clipPath()))
        m_player->playStoredLoop(check.startDigits(), check.endDigits());
    endWithSender(sender);
}

void TCommandLineEntryForm::endWithSender(QObject* sender)
{
    if (sender)
        focusSink->takeFocus();
}

bool TCommandLineEntryForm::eventFilter(QObject* watched, QEvent* event)
{
    // Enter and Escape end text entry; neither plays the line.
    if (watched == CommandLineText && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            focusSink->takeFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
