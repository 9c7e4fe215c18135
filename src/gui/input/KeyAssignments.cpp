#include "gui/input/KeyAssignments.h"

#include "core/base/Prompt.h"
#include "core/input/KeyCommandTable.h"
#include "core/input/KeyTexts.h"
#include "gui/input/KeyCommands.h"
#include "gui/input/KeyboardView.h"
#include "gui/options/TOptionsForm.h"
#include "gui/widgets/TColourButton.h"

#include <QFocusEvent>
#include <QLineEdit>

namespace {

// A key shown in a caption: "&" would otherwise underline the next letter.
QString shown(const QString& key)
{
    QString text = key;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

KeyAssignments::KeyAssignments(KeyboardView& main, const QList<QWidget*>& captionWindows, TOptionsForm& options,
                               KeyCommands& commands, QObject* parent)
    : QObject(parent), m_main(main), m_captionWindows(captionWindows), m_commands(commands)
{
    connect(&options, &TOptionsForm::keyTextChanged, this, &KeyAssignments::anyKeyChange);
    // The options window's key boxes are checked when left; the main
    // window's through its focus model, which turns key preview on after.
    for (QLineEdit* box : options.keyBoxes() + options.practiceKeyBoxes())
        box->installEventFilter(this);
    options.installEventFilter(this);
}

void KeyAssignments::rememberLastAcceptedKeys()
{
    for (int i = 0; i < keys::KeyBoxCount; ++i) {
        const QLineEdit* box = m_commands.box(keys::KeyBox(i));
        m_lastAccepted.insert(box, box->text());
    }
}

void KeyAssignments::keyExitCheck(QLineEdit* box)
{
    if (keys::isAcceptableKey(box->text())) {
        m_lastAccepted.insert(box, box->text());
        return;
    }
    prompt().message(keys::invalidKeyMessage());
    box->setText(m_lastAccepted.value(box));
}

bool KeyAssignments::eventFilter(QObject* watched, QEvent* event)
{
    if (auto* options = qobject_cast<TOptionsForm*>(watched)) {
        // Closing the window leaves the box that had the focus.
        auto* box = qobject_cast<QLineEdit*>(options->focusWidget());
        if (event->type() == QEvent::Hide && box &&
            (options->keyBoxes().contains(box) || options->practiceKeyBoxes().contains(box)))
            keyExitCheck(box);
        return false;
    }
    // A box being destroyed is no longer a line edit and has nothing to check.
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            keyExitCheck(box);
    }
    return false;
}

void KeyAssignments::anyKeyChange()
{
    auto key = [this](keys::KeyBox box) { return shown(m_commands.box(box)->text()); };
    m_main.setViewClipMenuCaption(keys::viewClipMenuCaption(key(keys::KeyBox::chooseclip)));
    m_main.setPracticeKeys(key(keys::KeyBox::loopMode), key(keys::KeyBox::mirrorView));
    // The hints name keys in both modes (the add bookmark hint its Shift key).
    if (m_popUpHints)
        m_popUpHints();
    // Every button that shows a command's key, in whichever window it sits;
    // in beginner mode the main window's buttons with a caption of their own
    // keep it. The main window is the first of the caption windows.
    const bool beginner = m_main.isBeginnerMode();
    for (const keys::CommandRow& row : keys::commandRows) {
        if (!row.captionWords)
            continue;
        const QString name = QString::fromLatin1(row.buttonName);
        const QString caption = keys::keyCaption(QString::fromLatin1(row.captionWords), key(row.box));
        for (QWidget* window : std::as_const(m_captionWindows)) {
            if (!keys::captionFollowsKey(name, window == m_captionWindows.value(0), beginner))
                continue;
            for (TColourButton* button : window->findChildren<TColourButton*>(name))
                button->setText(caption);
        }
    }
    m_main.setExitCaption(keys::exitButtonCaption(key(keys::KeyBox::exit), m_commands.ctrlSelect()));
    m_main.showMaximizeCaption();
}

void KeyAssignments::shiftKeyChange()
{
    m_main.shiftKeyChange();
}

void KeyAssignments::nonshiftKeyChange()
{
    m_main.nonshiftKeyChange();
}

void KeyAssignments::DuplicateKeyCheck()
{
    for (const QString& message : keys::duplicateKeyMessages(m_commands.texts(), m_commands.ctrlSelect()))
        prompt().message(message);
}
