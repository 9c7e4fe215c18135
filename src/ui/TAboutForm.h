#pragma once

#include <QDialog>

class QLabel;
class TColourButton;

// The about box: the program's name and version. Modal.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    QLabel* ProgramName;
    QLabel* VersionLabel;
    TColourButton* OK_Button;
    QWidget* Panel3; // takes the focus when the box is activated

protected:
    void changeEvent(QEvent* event) override;
};
