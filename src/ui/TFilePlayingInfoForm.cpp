#include "ui/TFilePlayingInfoForm.h"

#include "input/FocusSink.h"
#include "ui/widgets/TColourButton.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QLineEdit* makeField(const char* objectName, const QString& label, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(objectName));
    field->setAccessibleName(label);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    return field;
}

} // namespace

TFilePlayingInfoForm::TFilePlayingInfoForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint),
      ShowVideoPlayingFileName(makeField("ShowVideoPlayingFileName", QStringLiteral("File Name"), this)),
      ShowVideoPlayingFilePath(makeField("ShowVideoPlayingFilePath", QStringLiteral("File Path"), this)),
      ShowVideoSize(makeField("ShowVideoSize", QStringLiteral("Original size"), this)),
      ShowScreenSize(makeField("ShowScreenSize", QStringLiteral("Display Size"), this)),
      ShowTotalTime(makeField("ShowTotalTime", QStringLiteral("Total Time"), this)),
      ShowFramesPerSecond(makeField("ShowFramesPerSecond", QStringLiteral("Frames/Second"), this)),
      ShowCodecName(makeField("ShowCodecName", QStringLiteral("Codec Name"), this)),
      SizeToOriginalVideoButton(
          TColourButton::make("SizeToOriginalVideoButton", QStringLiteral("size to original video"), this)),
      DisplayCodecNameButton(TColourButton::make("DisplayCodecNameButton", QStringLiteral("display codec name"), this)),
      OK_Button(TColourButton::make("OK_Button", QStringLiteral("OK"), this)), focusSink(new FocusSink(this))
{
    setObjectName(QStringLiteral("FilePlayingInfoForm"));
    setWindowTitle(QStringLiteral("Video File Info"));
    setFixedSize(485, 248);

    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](QLineEdit* field, QWidget* beside = nullptr) {
        auto* label = new QLabel(field->accessibleName(), this);
        label->setAccessibleName(label->text());
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        if (beside)
            grid->addWidget(beside, row, 2);
        ++row;
    };
    addRow(ShowVideoPlayingFileName);
    addRow(ShowVideoPlayingFilePath);
    addRow(ShowVideoSize, SizeToOriginalVideoButton);
    addRow(ShowScreenSize);
    const QString note = QStringLiteral("(This includes any black space in video display area)");
    auto* noteLabel = new QLabel(note, this);
    noteLabel->setAccessibleName(note);
    grid->addWidget(noteLabel, row++, 1, 1, 2);
    addRow(ShowTotalTime);
    addRow(ShowFramesPerSecond);
    addRow(ShowCodecName, DisplayCodecNameButton);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(focusSink);
    auto* column = new QVBoxLayout;
    column->addLayout(grid);
    column->addWidget(OK_Button, 0, Qt::AlignHCenter);
    layout->addLayout(column, 1);

    connect(OK_Button, &QAbstractButton::clicked, this, &TFilePlayingInfoForm::OK_ButtonClick);
}

void TFilePlayingInfoForm::OK_ButtonClick()
{
    SizeToOriginalVideoButton->setText(QStringLiteral("size to original video"));
    hide();
}
