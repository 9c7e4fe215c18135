#pragma once

#include <QGroupBox>

class TColourButton;

// The group "User Controls" (`UserControlsPanel`) of the right-hand panel:
// the button that steps through the arrangements of the bottom panel, and
// "Switch to Beginner Mode". Advanced mode only.
class UserControlsPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit UserControlsPanel(QWidget* parent);

    // The layout button names the arrangement shown.
    void showArrangement(const QString& caption);

signals:
    void layoutButtonClicked(QObject* sender);
    void beginnerModeClicked(QObject* sender);

private:
    TColourButton* ShowPlayersControlsButton;
    TColourButton* BeginnerModeButton;
};
