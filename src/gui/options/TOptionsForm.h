#pragma once

#include "core/input/KeyMatching.h"
#include "core/playback/CountIn.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <functional>
#include <utility>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class TColourButton;
class ConfigBindings;
class ExtrasBindings;
class QSpinBox;
class SpeedLadder;

// The options window: default folders, the user's command keys, the hint
// switch, the catalog grid's optional columns and what a click on a
// bookmark's play cell does. Its controls are the settings themselves; other
// windows read them through the operations below. Modal, two pages, no
// Cancel; every change acts at once.
class TOptionsForm : public QDialog {
    Q_OBJECT
public:
    explicit TOptionsForm(QWidget* parent = nullptr);

    // How the restore operation makes the next start run on the defaults
    // (deleting config.txt, or hiding a read-only one); it returns an empty
    // text on success, else the message to show. Without one there is no
    // settings file to restore.
    void setRestoreDefaults(std::function<QString()> restoreDefaults)
    {
        m_restoreDefaults = std::move(restoreDefaults);
    }
    // How the restore operation ends the program (at once, by default, with
    // no exit path run). Tests put something harmless here.
    void setEndProgram(std::function<void()> endProgram) { m_endProgram = std::move(endProgram); }
    // Settles the open catalog's unsaved changes before the restore ends
    // the program (asks, saves or gives them up); false when the user
    // stays. Without it, there is no catalog to settle.
    void setCatalogSettler(std::function<bool()> settle) { m_settleCatalog = std::move(settle); }

    // Ties this window's settings to its controls.
    void bindSettings(ConfigBindings& binding);

    void showGeneralPage();
    void showCatalogingPage();
    int BookmarkPlayClickBehaviorIndex() const;
    void setBookmarkPlayClickBehaviorIndex(int index);
    // The ten key boxes in the order of the "User defined keystrokes" group.
    QList<QLineEdit*> keyBoxes() const;

    // What other windows read of the options.
    QString defaultVideoDirectoryText() const;
    QString defaultCatalogDirectoryText() const;
    QString muteKeyText() const;
    // The exit key works only with Ctrl held.
    bool exitKeyNeedsCtrl() const;
    bool hintsDisabled() const;

    // The "Practice" page (TOptionsFormPractice.cpp), whose settings live in
    // extras.txt.
    void showPracticePage();
    void bindExtras(ExtrasBindings& binding);
    // The key boxes of the page: loop mode, mirror view, the four nudges
    // and the beat loop.
    QList<QLineEdit*> practiceKeyBoxes() const;
    int repeatGapMs() const;
    // Decoding on the graphics hardware where the machine has it.
    bool hardwareDecoding() const;
    // The memory the frames of the loop under way may take.
    int frameStoreMB() const;
    // The last accepted ladder.
    SpeedLadder speedLadder() const;
    // Loops on the beat.
    bool preciseLoopPoints() const;
    bool findBeats() const;
    bool snapToBeat() const;
    bool showBeatCount() const;
    int beatLoopCount() const;
    // The count-in before each pass of a loop, and its volume (percent).
    countin::CountInSound countInSound() const;
    int countInVolume() const;
    // The key boxes' hints name their keys.
    void setPracticeHints(const QList<std::pair<QString, QString>>& hints);

signals:
    // Any of the ten key boxes changed its text, or CtrlSelect was toggled.
    void keyTextChanged();
    // An "Edit" folder button ran (confirmed or cancelled): the dialogs that
    // start in that folder are to be made again.
    void resetInitialVideoDirectory();
    void resetInitialCatalogDirectory();
    // The switch for every pop-up hint of the program flipped, or the
    // settings put it in place: shown is true while hints may show.
    void hintsSwitched(bool shown);
    // One of the catalog grid's optional columns (Category, Learn, Rating,
    // Folder) was switched on or off; the grid follows at once.
    void columnSwitched(int column, bool shown);
    // The repeat gap, the speed ladder, the hardware decoding switch or a
    // switch of loops on the beat changed.
    void practiceChanged();

public slots:
    void EditDefaultVideoDirectoryButtonClick();
    void EditDefaultCatalogDirectoryButtonClick();
    // Throws every setting away: the next start runs on the defaults, and the
    // program ends at once.
    void ExecuteRestoreKeyboardSettingsClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QTabWidget* PageControl;
    QWidget* GeneralPage;
    QWidget* CatalogingPage;
    QWidget* PracticePage = nullptr;
    QWidget* Panel1; // focus sink: every action ends here
    TColourButton* OK_Button;

    // General page
    QLineEdit* defaultVideoDirectory;
    TColourButton* EditDefaultVideoDirectoryButton;
    QLineEdit* defaultCatalogDirectory;
    TColourButton* EditDefaultCatalogDirectoryButton;
    QGroupBox* GroupBox1;
    QLineEdit* chooseclipKey;
    QLineEdit* exitKey;
    QCheckBox* CtrlSelect;
    QLineEdit* restartKey;
    QLineEdit* muteKey;
    QLineEdit* makebookmarkKey;
    QLineEdit* pastecommandlineKey;
    QLineEdit* playcommandlineKey;
    QLineEdit* previousBookmarkKey;
    QLineEdit* currentBookmarkKey;
    QLineEdit* nextBookmarkKey;
    QCheckBox* DisableShowHints;
    TColourButton* ExecuteRestoreKeyboardSettings;

    // Cataloging page
    QGroupBox* ColumnsGroup;
    QLineEdit* CategoryColumnName;
    QLineEdit* NameColumnName;
    QLineEdit* LearnColumnName;
    QLineEdit* RatingColumnName;
    QCheckBox* ShowCategoryColumn;
    QCheckBox* ShowLearnColumn;
    QCheckBox* ShowRatingColumn;
    QCheckBox* ShowFolderColumn;
    QGroupBox* BookmarkPlayClickBehavior;

    QWidget* buildGeneralPage();
    QWidget* buildCatalogingPage();
    QWidget* buildPracticePage();
    void ladderRatesEntered();
    QLineEdit* makeKeyBox(const char* objectName, const QString& label, const QString& key);
    void pickFolder(QLineEdit* box);
    void watchBox(QLineEdit* box);
    void focusPanel1();

    QButtonGroup* m_playClickButtons = nullptr;
    QList<QLineEdit*> m_keyBoxes;
    std::function<QString()> m_restoreDefaults;
    std::function<void()> m_endProgram;
    std::function<bool()> m_settleCatalog;
    QSpinBox* m_repeatGap = nullptr;
    QLineEdit* m_ladderRates = nullptr;
    QString m_acceptedLadderRates;
    QSpinBox* m_ladderPasses = nullptr;
    QComboBox* m_countIn = nullptr;
    QSpinBox* m_countInVolume = nullptr;
    QSpinBox* m_frameStore = nullptr;
    QList<QLineEdit*> m_practiceKeys;
    QCheckBox* m_preciseLoopPoints = nullptr;
    QCheckBox* m_findBeats = nullptr;
    QCheckBox* m_snapToBeat = nullptr;
    QCheckBox* m_showBeatCount = nullptr;
    QComboBox* m_beatLoopCount = nullptr;
    QLabel* m_beatLoopCaption = nullptr;
    QGroupBox* buildBeatsGroup(QWidget* page);
    QGroupBox* buildPracticeKeysGroup(QWidget* page);
    QLabel* addPracticeKey(keys::KeyBox which, QGroupBox* group, QGridLayout* grid, int row, int column,
                           int captionColumns);
    QLineEdit* practiceKey(keys::KeyBox box) const;
    QCheckBox* m_hardwareDecoding = nullptr;
};
