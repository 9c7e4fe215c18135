#pragma once

#include "core/catalog/BookmarkPlayView.h"
#include "core/catalog/CatalogView.h"
#include "core/playback/ClipView.h"
#include "core/playback/StoredLoopView.h"
#include "gui/main/TMainForm.h"

struct AppWindows;

// What clip loading, the catalog window and the command line entry window
// see of the main window. Each view is made of the main window's panels,
// the controllers behind them and, where the view spans windows, the other
// windows: the composition root is the one place that sees them all.
class MainWindowViews : public ClipView, public CatalogView, public BookmarkPlayView, public StoredLoopView {
public:
    // The controllers are read as each view is used (the clip loading is
    // made with this view, before the others exist).
    MainWindowViews(AppWindows& windows, const TMainForm::Controllers& controllers);

    // ClipView (and CatalogView's defaultVideoDirectory)
    QString defaultVideoDirectory() const override;
    QSize videoSize() const override;
    void setTitle(const QString& title) override;
    void showClipFacts(const QString& fileName, const QString& folder, const QString& videoSize,
                       const QString& totalTime) override;
    QString framesPerSecondText() const override;
    void setFramesPerSecondText(const QString& text) override;
    void setScreenSizeText(const QString& text) override;

    // CatalogView
    void setLoopListItems(const QStringList& items, int selected) override;
    void selectLoopListItem(int index) override;
    void addLoopListItem(const QString& item) override;
    void ShowBookmarkingInfo() override;
    void HideBookmarkingInfo() override;
    void setStartTimeDigits(const QString& digits) override;
    void setEndTimeDigits(const QString& digits) override;
    void setRunningDescription(const QString& text) override;
    QString openClipPath() const override;
    BookmarksGridColumns gridColumns() const override;
    Arrow lastArrowDirection() const override;
    void showCatalogOptions() override;

    // BookmarkPlayView
    void showPlayingAll(bool on, bool catalogOpen) override;
    void stopPlayAllPlayback() override;
    bool playerFullScreen() const override;
    void leavePlayerFullScreen() override;
    void applyPlayClickBehavior(bool fromDoubleClick) override;

    // StoredLoopView
    bool StartVideoClip(const QString& path) override;
    void playStoredLoop(const QString& startDigits, const QString& endDigits,
                        const std::optional<ZoomView>& zoom) override;

private:
    TMainForm& main() const;

    AppWindows& m_windows;
    const TMainForm::Controllers& m_controllers;
};
