#include "ui/TQuickStartGuideForm.h"

#include "app/SettingsBinding.h"
#include "ui/widgets/TColourButton.h"

#include <QHBoxLayout>
#include <QTextEdit>
#include <QVBoxLayout>

TQuickStartGuideForm::TQuickStartGuideForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint), RichEdit1(new QTextEdit(this)),
      Button1(new TColourButton(QStringLiteral("OK"), this)),
      PrintButton(new TColourButton(QStringLiteral("Print Quick Start Guide"), this))
{
    setObjectName(QStringLiteral("QuickStartGuideForm"));
    setWindowTitle(QStringLiteral("Tempoloop - The Ultimate Video Player"));
    setFixedSize(608, 477);
    move(150, 100);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(pal);
    setAutoFillBackground(true);

    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setAccessibleName(QStringLiteral("Quick Start Guide"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setPlainText(defaultGuideText());
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFixedSize(73, 25);
    PrintButton->setObjectName(QStringLiteral("PrintButton"));
    PrintButton->setFixedSize(137, 25);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addStretch(1);
    buttons->addWidget(PrintButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RichEdit1, 1);
    layout->addLayout(buttons);

    connect(Button1, &QAbstractButton::clicked, this, &QWidget::hide);
}

void TQuickStartGuideForm::bindSettings(SettingsBinding& binding)
{
    binding.bind(
        &Settings::quickStartGuideVisible, [this] { return isVisible(); }, [](bool) {});
}

QString TQuickStartGuideForm::defaultGuideText()
{
    return QStringLiteral(
        "Tempoloop - Quick Start Guide\n"
        "\n"
        "Tempoloop is driven by single keys: a key is a command, except while you type into a box (a loop "
        "time, a key box beside a button, or the bookmark list), where keys are text. Press Enter or Escape, "
        "or click the window's background, and keys are commands again.\n"
        "\n"
        "1. Open a clip: press c (or click \"view clip\").\n"
        "2. Step through it: a / f jump back / forward by seconds, s / d step one frame back / forward.\n"
        "3. Change the speed: j slow motion, k regular speed, l fast motion; m mutes.\n"
        "4. Mark a loop: press g at its start and h at its end.\n"
        "5. Play the loop: press t; y plays the whole clip again.\n"
        "6. Keep it: press o to add the loop as a bookmark to a video catalog.\n"
        "7. Play bookmarks: double-click a bookmark's play arrow in the catalog, or press "
        "8 / 9 / 0 for the previous, current and next bookmark.\n"
        "8. Share a bookmark as a Bookmark Command Line: u pastes a line from the clipboard, "
        "i plays it.\n"
        "\n"
        "Every key can be changed under Tools, Options. Press r to restart the clip and z to exit.\n");
}
