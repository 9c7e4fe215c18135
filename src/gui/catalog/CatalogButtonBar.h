#pragma once

#include <QWidget>

class TBlinkLabel;
class TColourButton;

// The catalog window's bar of buttons: open, save, save as, close; spacing
// and sorting; previous, current, next, play all and the play-all filter
// with the blinking label "Playing All Bookmarks"; the repeats button and
// hide video catalog. It shows the captions and looks it is given and
// reports which button was clicked.
class CatalogButtonBar : public QWidget {
    Q_OBJECT
public:
    enum class Button {
        Open,
        Save,
        SaveAs,
        Close,
        Spacing,
        Sorting,
        Previous,
        Current,
        Next,
        PlayAll,
        Filter,
        HideCatalog,
        Repeats,
    };

    explicit CatalogButtonBar(QWidget* parent = nullptr);

    void showSorting(bool on, const QString& caption);
    void showRepeatsHidden(bool hidden);
    void showRepeatsButton(bool shown);
    void showSpacing(int style);
    // While all bookmarks play: the label blinks, the play panel turns
    // orange, the step buttons light violet, "Play All Bookmarks" becomes a
    // red stop button, and open, save, save as, close and sorting lock.
    void showPlayingAll(bool on);

signals:
    void clicked(CatalogButtonBar::Button button);

private:
    TColourButton* add(const char* name, const QString& caption, Button button);

    TColourButton* OpenButton;
    TColourButton* SaveButton;
    TColourButton* SaveAsButton;
    TColourButton* CloseButton;
    TColourButton* toggleLineWrapButton;
    TColourButton* turnOnSorting;
    TColourButton* PreviousBookmarkButton;
    TColourButton* CurrentBookmarkButton;
    TColourButton* NextBookmarkButton;
    TColourButton* PlayAll;
    TColourButton* PlayAllFilterButton;
    TBlinkLabel* PlayingAllLabel;
    TColourButton* hideCatalogButton;
    TColourButton* hideRepeatsButton;
    QString m_playAllHint; // kept while the stop button has none
    bool m_playingAll = false;
};
