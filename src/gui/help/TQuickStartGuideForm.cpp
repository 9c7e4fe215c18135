#include "gui/help/TQuickStartGuideForm.h"

#include "core/base/Prompt.h"
#include "core/help/RtfReader.h"
#include "core/settings/BindingTable.h"
#include "gui/help/DocumentPrinter.h"
#include "gui/help/RtfTextDocument.h"
#include "gui/prompt/DesktopServices.h"
#include "gui/widgets/TColourButton.h"

#include <QCoreApplication>
#include <QFile>
#include <QPrinter>
#include <QTextEdit>

namespace {

// A guide is a few pages; anything far larger is not one.
constexpr qint64 MaxGuideBytes = 16 * 1024 * 1024;

} // namespace

TQuickStartGuideForm::TQuickStartGuideForm(const QString& programFolder, QWidget* parent)
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
    RichEdit1->setGeometry(11, 8, 585, 425);
    // The buttons were laid out for 8-point captions.
    QFont small = Button1->font();
    small.setPointSize(8);
    Button1->setFont(small);
    PrintButton->setFont(small);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(268, 444, 73, 25);
    PrintButton->setObjectName(QStringLiteral("PrintButton"));
    PrintButton->setGeometry(459, 444, 137, 25);

    connect(Button1, &QAbstractButton::clicked, this, &QWidget::hide);
    connect(PrintButton, &QAbstractButton::clicked, this, &TQuickStartGuideForm::PrintButtonClick);

    QString folder = programFolder;
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    loadGuide(folder);
}

QString TQuickStartGuideForm::missingNotice(const QString& programFolder)
{
    return QStringLiteral("The Quick Start Guide is missing.\n\nPlease make sure the file \"") + guideFileName() +
           QStringLiteral("\" is in the folder:\n") + programFolder;
}

void TQuickStartGuideForm::loadGuide(const QString& programFolder)
{
    QFile file(programFolder + guideFileName());
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxGuideBytes) {
        showMissingNotice(programFolder);
        return;
    }
    fillTextDocument(*RichEdit1->document(), readRtf(file.readAll()));
    RichEdit1->moveCursor(QTextCursor::Start);
    m_loaded = true;
}

void TQuickStartGuideForm::showMissingNotice(const QString& programFolder)
{
    QFont font = RichEdit1->font();
    font.setPointSize(14);
    RichEdit1->setFont(font);
    RichEdit1->setPlainText(missingNotice(programFolder));
    QTextCharFormat red;
    red.setForeground(Qt::red);
    QTextCursor all(RichEdit1->document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(red);
}

void TQuickStartGuideForm::GettingStartedGuide1Click()
{
    show();
    raise();
    activateWindow();
    RichEdit1->setFocus(Qt::OtherFocusReason);
}

void TQuickStartGuideForm::PrintButtonClick()
{
    if (prompt().askYesNo(QStringLiteral("Print the Quick Start Guide?")) == Prompt::Answer::Yes) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(jobTitle());
        printer.setCreator(QStringLiteral("Tempoloop"));
        if (DesktopServices::choosePrinter(printer, this) && !printWithOneInchMargins(*RichEdit1->document(), printer))
            prompt().message(QStringLiteral("The Quick Start Guide could not be printed."), Prompt::Icon::Error);
    }
    RichEdit1->setFocus(Qt::OtherFocusReason);
}

void TQuickStartGuideForm::bindSettings(ConfigBindings& binding)
{
    binding.bind(
        &Settings::quickStartGuideVisible, [this] { return isVisible(); }, [](bool) {});
}
