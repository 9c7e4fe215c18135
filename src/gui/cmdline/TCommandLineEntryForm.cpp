#include "gui/cmdline/TCommandLineEntryForm.h"

#include "core/base/Prompt.h"
#include "core/cmdline/BookmarkCommandLine.h"
#include "core/playback/StoredLoopView.h"
#include "gui/input/FocusModel.h"
#include "gui/input/FocusSink.h"
#include "gui/widgets/TColourButton.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>

TCommandLineEntryForm::TCommandLineEntryForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint), CommandLineText(new QLineEdit(this)),
      pasteCommandLineButton(
          TColourButton::make("pasteCommandLineButton", QStringLiteral("paste command line (u)"), this)),
      playCommandLineButton(
          TColourButton::make("playCommandLineButton", QStringLiteral("play command line (i)"), this)),
      m_focusSink(new FocusSink(this)), m_focus(new FocusModel(this, m_focusSink, this))
{
    setObjectName(QStringLiteral("CommandLineEntryForm"));
    setWindowTitle(QStringLiteral("Command Line Entry"));
    setFixedSize(618, 64);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(pal);
    setAutoFillBackground(true);
    // At 8 points, a little condensed, the button captions fit their
    // buttons on one line.
    QFont small = font();
    small.setPointSize(8);
    small.setStretch(QFont::SemiCondensed);
    setFont(small);

    CommandLineText->setObjectName(QStringLiteral("CommandLineText"));
    CommandLineText->setAccessibleName(QStringLiteral("Command Line Entry Box"));
    CommandLineText->setFrame(false);
    CommandLineText->setGeometry(8, 8, 601, 16);

    for (TColourButton* button : {pasteCommandLineButton, playCommandLineButton})
        button->setMargin(0);
    pasteCommandLineButton->setGeometry(8, 32, 121, 25);
    playCommandLineButton->setGeometry(136, 32, 121, 25);
    m_focusSink->setGeometry(0, 0, 0, height());

    // Typing in the box is text; Enter and Escape there end text entry
    // without playing the line.
    m_focus->watchTextBox(CommandLineText);
    m_focus->watchBackground(this);
    // The box keeps the line breaks of what is pasted into it (Ctrl+V), and
    // a line's break is no part of it.
    connect(CommandLineText, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (text.contains(u'\r') || text.contains(u'\n'))
            CommandLineText->setText(cleanCommandLineText(text));
    });

    connect(pasteCommandLineButton, &QAbstractButton::clicked, this,
            [this] { pasteCommandLineButtonClick(pasteCommandLineButton); });
    connect(playCommandLineButton, &QAbstractButton::clicked, this,
            [this] { playCommandLineButtonClick(playCommandLineButton); });
}

QString TCommandLineEntryForm::commandLineText() const
{
    return CommandLineText->text();
}

void TCommandLineEntryForm::setCommandLineText(const QString& text)
{
    CommandLineText->setText(text);
}

void TCommandLineEntryForm::setPlayingAll(bool on)
{
    pasteCommandLineButton->setEnabled(!on);
    playCommandLineButton->setEnabled(!on);
}

void TCommandLineEntryForm::pasteCommandLineButtonClick(QObject* sender)
{
    CommandLineText->clear();
    CommandLineText->insert(cleanCommandLineText(QGuiApplication::clipboard()->text()));
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
        m_player->playStoredLoop(check.startDigits(), check.endDigits(), std::nullopt);
    endWithSender(sender);
}

void TCommandLineEntryForm::endWithSender(QObject* sender)
{
    if (sender)
        m_focusSink->takeFocus();
}
