#pragma once

#include <QObject>

// Operations that keys start but whose work arrives with the window sizing
// code. Each one only reports that it ran (operation
// name and sender), so the keyboard is complete and testable before then.
class WindowCommands : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void MaximizeToggleButtonClick(QObject* sender = nullptr)
    {
        emit ran(QStringLiteral("MaximizeToggleButtonClick"), sender);
    }
    void FullScreenModeClick(QObject* sender = nullptr) { emit ran(QStringLiteral("FullScreenModeClick"), sender); }
    void VideoWindowToggleButtonClick(QObject* sender = nullptr)
    {
        emit ran(QStringLiteral("VideoWindowToggleButtonClick"), sender);
    }
    void BookmarksWindowToggleButtonClick(QObject* sender = nullptr)
    {
        emit ran(QStringLiteral("BookmarksWindowToggleButtonClick"), sender);
    }
    void SmallerScreenButtonClick(QObject* sender = nullptr)
    {
        emit ran(QStringLiteral("SmallerScreenButtonClick"), sender);
    }
    void LargerScreenButtonClick(QObject* sender = nullptr)
    {
        emit ran(QStringLiteral("LargerScreenButtonClick"), sender);
    }
    void SetSmallScreenSizeButtonClick(QObject* sender = nullptr)
    {
        emit ran(QStringLiteral("SetSmallScreenSizeButtonClick"), sender);
    }
    void SetLargeScreenSizeButtonClick(QObject* sender = nullptr)
    {
        emit ran(QStringLiteral("SetLargeScreenSizeButtonClick"), sender);
    }
    void ShowSmallScreenSizeButtonClick(QObject* sender = nullptr)
    {
        emit ran(QStringLiteral("ShowSmallScreenSizeButtonClick"), sender);
    }
    void ShowLargeScreenSizeButtonClick(QObject* sender = nullptr)
    {
        emit ran(QStringLiteral("ShowLargeScreenSizeButtonClick"), sender);
    }

signals:
    void ran(const QString& operation, QObject* sender);
};
