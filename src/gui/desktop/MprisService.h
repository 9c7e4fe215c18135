#pragma once

#include "core/desktop/MediaCommand.h"
#include "core/desktop/MediaControls.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>

class MprisPlayerAdaptor;
class QDBusPendingCallWatcher;

// The program as the desktop's media controls see it: an MPRIS 2 player on
// the session bus, named org.mpris.MediaPlayer2.tempoloop (a second
// Tempoloop takes the name with ".instance" and its process number), at
// /org/mpris/MediaPlayer2. What it shows comes from MediaControls, and
// every command goes to it, to run as the program's key for it runs.
//
// A command is answered at once and run on the next turn of the event
// loop, so that the caller never waits on a message box the command may
// raise; while a modal box is open it is not run at all (the box owns the
// keys, and the desktop's keys too).
class MprisService : public QObject, protected QDBusContext {
    Q_OBJECT
public:
    // What the desktop may ask of the program's windows.
    struct Window {
        std::function<void()> raise; // the main window to the front
        std::function<void()> quit;  // as the exit key
    };

    MprisService(MediaControls& controls, Window window, const QDBusConnection& bus, QObject* parent = nullptr);
    ~MprisService() override;

    static const QString& baseName();
    // The name the bus gave the program; empty until it has given one.
    QString serviceName() const { return m_name; }

    MediaControls& controls() const { return m_controls; }
    // Runs a command of the desktop later, unless a modal box is open then.
    void later(std::function<void()> command);
    void command(MediaCommand command);
    // Answers the call being handled with an error.
    void refuse(QDBusError::ErrorType error, const QString& text);
    void raise();
    void quit();

    // The clip as MPRIS has it.
    QDBusObjectPath trackId() const;
    QVariantMap metadata() const;

private:
    void requestName(const QString& name);
    void nameAnswered(QDBusPendingCallWatcher* call, const QString& name);
    void factsChanged(const MediaFacts& facts);
    void positionMoved();

    MediaControls& m_controls;
    Window m_window;
    QDBusConnection m_bus;
    MprisPlayerAdaptor* m_player;
    QString m_name;
    QString m_asked; // the name last asked for
    MediaFacts m_shown;
    bool m_seekPending = false;
};
