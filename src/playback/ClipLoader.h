#pragma once

#include <QObject>
#include <QString>

class TMainForm;

// The main window's loaded clip: choosing it in the open dialog, opening it
// by path for every other part of the program, stepping to the previous or
// next clip of its folder, and the texts that describe it.
class ClipLoader : public QObject {
    Q_OBJECT
public:
    // Filter of the clip dialogs.
    static const QString& clipFilter();
    static const QString& missingClipsMessage();

    explicit ClipLoader(TMainForm& form);

    void ViewClipButtonClick(QObject* sender = nullptr);
    // Always true, also when no file exists at the path (the user is told).
    bool StartVideoClip(QObject* sender, const QString& path);
    void PlayNextFile(QObject* sender = nullptr);
    void PlayPreviousFile(QObject* sender = nullptr);
    void UpdateMainFormTitleBar(QObject* sender = nullptr);
    // The clip dialogs start in the options window's default clip folder.
    void ResetInitialVideoDirectory();
    QString videoDialogFolder() const { return m_dialogFolder; }

private:
    void stepTo(const QString& path, QObject* sender);
    void fillInformationFields();

    TMainForm& m_form;
    QString m_dialogFolder;
};
