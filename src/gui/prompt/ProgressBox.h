#pragma once

#include <QDialog>

class ProgressJob;
class QLabel;
class QPushButton;

// A modal box that shows a running job's progress text under a busy bar;
// its Cancel button asks the job to stop. It closes itself when the job has
// finished, so the job's work is over whenever exec() returns.
class ProgressBox : public QDialog {
    Q_OBJECT
public:
    ProgressBox(const QString& caption, ProgressJob& job, QWidget* parent = nullptr);

    // Starts the job and runs the box until the job has finished.
    void run();

    QLabel* text() const { return m_text; }
    QPushButton* cancelButton() const { return m_cancel; }

protected:
    void reject() override; // Escape and the close box cancel too

private:
    ProgressJob& m_job;
    QLabel* m_text;
    QPushButton* m_cancel;
};
