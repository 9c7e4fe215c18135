#include "gui/options/TOptionsForm.h"

#include "core/base/Prompt.h"
#include "core/catalog/BookmarksGridColumns.h"
#include "gui/widgets/TColourButton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cstdlib>

TOptionsForm::TOptionsForm(QWidget* parent) : QDialog(parent), m_endProgram([] { std::_Exit(0); })
{
    setObjectName(QStringLiteral("OptionsForm"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(true);
    setFixedSize(602, 470);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAccessibleName(QStringLiteral("Panel1"));
    Panel1->setFocusPolicy(Qt::StrongFocus);
    Panel1->setGeometry(0, 0, 0, 0);

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setAccessibleName(QStringLiteral("Options pages"));
    GeneralPage = buildGeneralPage();
    CatalogingPage = buildCatalogingPage();
    PageControl->addTab(GeneralPage, QStringLiteral("General"));
    PageControl->addTab(CatalogingPage, QStringLiteral("Cataloging"));
    PracticePage = buildPracticePage();
    PageControl->addTab(PracticePage, QStringLiteral("Practice"));

    OK_Button = new TColourButton(QStringLiteral("OK"), this);
    OK_Button->setObjectName(QStringLiteral("OK_Button"));
    OK_Button->setFixedSize(75, 25);
    connect(OK_Button, &QAbstractButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
    layout->addWidget(OK_Button, 0, Qt::AlignHCenter);

    for (QLineEdit* box : findChildren<QLineEdit*>())
        watchBox(box);
    for (QLineEdit* box : std::as_const(m_keyBoxes))
        connect(box, &QLineEdit::textChanged, this, &TOptionsForm::keyTextChanged);
    connect(CtrlSelect, &QCheckBox::toggled, this, &TOptionsForm::keyTextChanged);
    // A check box acts on its click and leaves the keyboard to Panel1.
    for (QCheckBox* box : findChildren<QCheckBox*>())
        connect(box, &QCheckBox::clicked, this, &TOptionsForm::focusPanel1);
    connect(DisableShowHints, &QCheckBox::clicked, this, [this](bool disabled) { emit hintsSwitched(!disabled); });
    const std::pair<QCheckBox*, int> columnSwitches[] = {{ShowCategoryColumn, BookmarkColumn::Category},
                                                         {ShowLearnColumn, BookmarkColumn::Learn},
                                                         {ShowRatingColumn, BookmarkColumn::Rating},
                                                         {ShowFolderColumn, BookmarkColumn::Folder}};
    for (const auto& [box, column] : columnSwitches)
        connect(box, &QCheckBox::toggled, this,
                [this, column = column](bool shown) { emit columnSwitched(column, shown); });
    GroupBox1->installEventFilter(this);

    connect(EditDefaultVideoDirectoryButton, &QAbstractButton::clicked, this,
            &TOptionsForm::EditDefaultVideoDirectoryButtonClick);
    connect(EditDefaultCatalogDirectoryButton, &QAbstractButton::clicked, this,
            &TOptionsForm::EditDefaultCatalogDirectoryButtonClick);
    connect(ExecuteRestoreKeyboardSettings, &QAbstractButton::clicked, this,
            &TOptionsForm::ExecuteRestoreKeyboardSettingsClick);
    showGeneralPage();
}

void TOptionsForm::showGeneralPage()
{
    PageControl->setCurrentWidget(GeneralPage);
}

void TOptionsForm::showCatalogingPage()
{
    PageControl->setCurrentWidget(CatalogingPage);
}

int TOptionsForm::BookmarkPlayClickBehaviorIndex() const
{
    return m_playClickButtons->checkedId();
}

void TOptionsForm::setBookmarkPlayClickBehaviorIndex(int index)
{
    if (QAbstractButton* button = m_playClickButtons->button(index))
        button->setChecked(true);
}

QList<QLineEdit*> TOptionsForm::keyBoxes() const
{
    return m_keyBoxes;
}

QString TOptionsForm::defaultVideoDirectoryText() const
{
    return defaultVideoDirectory->text();
}

QString TOptionsForm::defaultCatalogDirectoryText() const
{
    return defaultCatalogDirectory->text();
}

QString TOptionsForm::muteKeyText() const
{
    return muteKey->text();
}

bool TOptionsForm::exitKeyNeedsCtrl() const
{
    return CtrlSelect->isChecked();
}

bool TOptionsForm::hintsDisabled() const
{
    return DisableShowHints->isChecked();
}

void TOptionsForm::EditDefaultVideoDirectoryButtonClick()
{
    pickFolder(defaultVideoDirectory);
    emit resetInitialVideoDirectory();
    focusPanel1();
}

void TOptionsForm::EditDefaultCatalogDirectoryButtonClick()
{
    pickFolder(defaultCatalogDirectory);
    emit resetInitialCatalogDirectory();
    focusPanel1();
}

// The chosen folder replaces the box's text as a plain path without a final
// "/" (the root stays "/"), the same form as the default folders; whoever
// lists the folder's files adds the separator. Cancel keeps the text.
void TOptionsForm::pickFolder(QLineEdit* box)
{
    const QString folder = prompt().existingFolder(QStringLiteral("Select folder"), QString());
    if (!folder.isEmpty())
        box->setText(QDir::cleanPath(folder));
}

void TOptionsForm::ExecuteRestoreKeyboardSettingsClick()
{
    const auto answer = prompt().askYesNo(QStringLiteral("Restore original default keyboard and window settings?"
                                                         "\n\n(Tempoloop will automatically exit.)"),
                                          Prompt::Icon::Warning);
    if (answer != Prompt::Answer::Yes) {
        focusPanel1();
        return;
    }
    if (m_settleCatalog && !m_settleCatalog()) {
        focusPanel1();
        return;
    }
    // A settings file that stays in force would bring the old settings back
    // at the next start, so the program only ends once it is out of the way.
    if (const QString error = m_restoreDefaults ? m_restoreDefaults() : QString(); !error.isEmpty()) {
        prompt().message(error + QStringLiteral("\n\nThe settings were not restored."), Prompt::Icon::Error);
        focusPanel1();
        return;
    }
    m_endProgram();
}

void TOptionsForm::watchBox(QLineEdit* box)
{
    box->installEventFilter(this);
}

void TOptionsForm::focusPanel1()
{
    Panel1->setFocus(Qt::OtherFocusReason);
}

bool TOptionsForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(watched)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            focusPanel1();
            return true;
        }
    }
    if (watched == GroupBox1 && event->type() == QEvent::MouseButtonPress)
        focusPanel1();
    return QDialog::eventFilter(watched, event);
}

void TOptionsForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        focusPanel1();
    QDialog::changeEvent(event);
}

void TOptionsForm::mousePressEvent(QMouseEvent* event)
{
    focusPanel1();
    QDialog::mousePressEvent(event);
}
