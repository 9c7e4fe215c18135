#pragma once

#include <QObject>
#include <QString>

// Work that runs away from the interface thread while a progress box shows
// how far it got. The job reports through its signals, which arrive on the
// thread the job lives on; finished() always follows start(), also after
// cancel().
class ProgressJob : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Begins the work elsewhere and returns at once.
    virtual void start() = 0;
    // Asks the work to stop soon.
    virtual void cancel() = 0;
    virtual bool isFinished() const = 0;

signals:
    void progressed(const QString& text);
    void finished();
};
