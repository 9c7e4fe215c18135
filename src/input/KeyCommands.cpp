#include "input/KeyCommands.h"

#include "catalog/CatalogDocument.h"
#include "catalog/TBookmarksForm.h"
#include "cmdline/TCommandLineEntryForm.h"
#include "input/TOptionsForm.h"
#include "input/WindowCommands.h"
#include "playback/ClipLoader.h"
#include "playback/LoopControls.h"
#include "playback/TransportControls.h"
#include "ui/AppWindows.h"
#include "ui/TMainForm.h"

#include <QCheckBox>
#include <QLineEdit>

using keys::Command;
using keys::KeyBox;

KeyCommands::KeyCommands(AppWindows& windows, WindowCommands* windowCommands, BookmarkMaking* bookmarks,
                         QObject* parent)
    : QObject(parent), m_windows(windows)
{
    TMainForm* m = windows.MainForm;
    TOptionsForm* o = windows.OptionsForm;
    m_boxes = {o->exitKey,         m->backsecondsKey,   m->back1frameKey, m->forward1frameKey,    m->forwardsecondsKey,
               m->slowmotionKey,   m->regularspeedKey,  m->fastmotionKey, m->setStartTimeKey,     m->setEndTimeKey,
               m->playLoopKey,     m->playFullVideoKey, o->chooseclipKey, o->pastecommandlineKey, o->playcommandlineKey,
               o->makebookmarkKey, o->restartKey,       o->muteKey,       o->previousBookmarkKey, o->currentBookmarkKey,
               o->nextBookmarkKey};

    TransportControls* t = m->transport;
    LoopControls* l = m->loops;
    TBookmarksForm* catalog = windows.BookmarksForm;
    TCommandLineEntryForm* entry = windows.CommandLineEntryForm;
    WindowCommands* w = windowCommands;
    auto plain = [](auto* target, auto operation) {
        return [target, operation](QObject*) { (target->*operation)(nullptr); };
    };
    auto told = [](auto* target, auto operation) {
        return [target, operation](QObject* sender) { (target->*operation)(sender); };
    };

    bind(Command::backseconds, plain(t, &TransportControls::backsecondsButtonClick));
    bind(Command::forwardseconds, plain(t, &TransportControls::forwardsecondsButtonClick));
    bind(Command::back1frame, plain(t, &TransportControls::back1frameButtonClick));
    bind(Command::forward1frame, plain(t, &TransportControls::forward1frameButtonClick));
    bind(Command::slowmotion, plain(t, &TransportControls::slowmotionButtonClick));
    bind(Command::regularspeed, plain(t, &TransportControls::regularspeedButtonClick));
    bind(Command::fastmotion, plain(t, &TransportControls::fastmotionButtonClick));
    bind(Command::playLoop, plain(l, &LoopControls::playLoopButtonClick));
    bind(Command::playFullVideo, plain(l, &LoopControls::playFullVideoButtonClick));
    bind(Command::viewClip, plain(m->clips, &ClipLoader::ViewClipButtonClick));
    bind(Command::previousBookmark, plain(catalog, &TBookmarksForm::PreviousBookmarkButtonClick));
    bind(Command::currentBookmark, plain(catalog, &TBookmarksForm::CurrentBookmarkButtonClick));
    bind(Command::nextBookmark, plain(catalog, &TBookmarksForm::NextBookmarkButtonClick));
    bind(Command::setStartTime, plain(l, &LoopControls::setStartTimeButtonClick));
    bind(Command::setEndTime, plain(l, &LoopControls::setEndTimeButtonClick));
    bind(Command::pasteCommandLine, plain(entry, &TCommandLineEntryForm::pasteCommandLineButtonClick));
    bind(Command::playCommandLine, plain(entry, &TCommandLineEntryForm::playCommandLineButtonClick));
    bind(Command::makeBookmark, plain(bookmarks, &BookmarkMaking::makeBookmarkButtonClick));
    bind(Command::play, plain(t, &TransportControls::playButtonClick));
    bind(Command::restart, plain(t, &TransportControls::restartButtonClick));
    bind(Command::mute, plain(t, &TransportControls::muteButtonClick));
    bind(Command::exit, plain(m, &TMainForm::exitButtonClick));
    bind(Command::forwardminutes, plain(t, &TransportControls::forwardminutesButtonClick));
    bind(Command::backminutes, plain(t, &TransportControls::backminutesButtonClick));
    bind(Command::backframes, plain(t, &TransportControls::backframesButtonClick));
    bind(Command::forwardframes, plain(t, &TransportControls::forwardframesButtonClick));
    bind(Command::quickMakeBookmark, plain(bookmarks, &BookmarkMaking::QuickMakeBookmarkButtonClick));
    bind(Command::playPreviousFile, plain(m->clips, &ClipLoader::PlayPreviousFile));
    bind(Command::playNextFile, plain(m->clips, &ClipLoader::PlayNextFile));
    bind(Command::maximizeToggle, told(w, &WindowCommands::MaximizeToggleButtonClick));
    bind(Command::fullScreenMode, told(w, &WindowCommands::FullScreenModeClick));
    bind(Command::videoWindowToggle, told(w, &WindowCommands::VideoWindowToggleButtonClick));
    bind(Command::bookmarksWindowToggle, told(w, &WindowCommands::BookmarksWindowToggleButtonClick));
    bind(Command::smallerScreen, plain(w, &WindowCommands::SmallerScreenButtonClick));
    bind(Command::largerScreen, plain(w, &WindowCommands::LargerScreenButtonClick));
    bind(Command::setSmallScreenSize, plain(w, &WindowCommands::SetSmallScreenSizeButtonClick));
    bind(Command::setLargeScreenSize, plain(w, &WindowCommands::SetLargeScreenSizeButtonClick));
    bind(Command::showSmallScreenSize, plain(w, &WindowCommands::ShowSmallScreenSizeButtonClick));
    bind(Command::showLargeScreenSize, plain(w, &WindowCommands::ShowLargeScreenSizeButtonClick));
    bind(Command::arrowLeft, [this](QObject*) { LastArrowDirection = 1; });
    bind(Command::arrowRight, [this](QObject*) { LastArrowDirection = 2; });
}

void KeyCommands::bind(Command command, Operation operation)
{
    m_operations[static_cast<int>(command)] = std::move(operation);
}

QLineEdit* KeyCommands::box(KeyBox box) const
{
    const int i = static_cast<int>(box);
    return i >= 0 && i < keys::KeyBoxCount ? m_boxes[i] : nullptr;
}

keys::KeyTexts KeyCommands::texts() const
{
    keys::KeyTexts texts;
    for (int i = 0; i < keys::KeyBoxCount; ++i)
        texts[i] = m_boxes[i]->text();
    return texts;
}

keys::Gates KeyCommands::gates() const
{
    const CatalogDocument* catalog = m_windows.BookmarksForm->document();
    return {catalog->PlayingAll(), catalog->CatalogMode() != 0};
}

bool KeyCommands::ctrlSelect() const
{
    return m_windows.OptionsForm->CtrlSelect->isChecked();
}

void KeyCommands::run(Command command, QObject* sender)
{
    if (const Operation& operation = m_operations[static_cast<int>(command)])
        operation(sender);
    emit commandRan(command);
}
