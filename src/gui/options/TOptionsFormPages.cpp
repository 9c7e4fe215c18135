// The two pages of the options window and their controls.
#include "gui/options/TOptionsForm.h"

#include "gui/widgets/TColourButton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLabel* makeLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAccessibleName(text);
    return label;
}

QLineEdit* makeBox(const char* objectName, const QString& accessibleName, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(objectName));
    box->setAccessibleName(accessibleName);
    return box;
}

QCheckBox* makeCheck(const char* objectName, const QString& caption, const QString& accessibleName, bool checked,
                     QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(objectName));
    box->setAccessibleName(accessibleName);
    box->setChecked(checked);
    return box;
}

} // namespace

QLineEdit* TOptionsForm::makeKeyBox(const char* objectName, const QString& label, const QString& key)
{
    QLineEdit* box = makeBox(objectName, label, GroupBox1);
    box->setMaxLength(1);
    box->setText(key);
    box->setFixedWidth(24);
    box->setAlignment(Qt::AlignCenter);
    m_keyBoxes.append(box);
    return box;
}

QWidget* TOptionsForm::buildGeneralPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("GeneralPage"));
    auto* layout = new QGridLayout(page);

    const QString videoLabel = QStringLiteral("Default Video Clip Directory");
    const QString catalogLabel = QStringLiteral("Default Video Catalog Directory");
    defaultVideoDirectory = makeBox("defaultVideoDirectory", videoLabel, page);
    EditDefaultVideoDirectoryButton =
        TColourButton::make("EditDefaultVideoDirectoryButton", QStringLiteral("Edit"), page);
    defaultCatalogDirectory = makeBox("defaultCatalogDirectory", catalogLabel, page);
    EditDefaultCatalogDirectoryButton =
        TColourButton::make("EditDefaultCatalogDirectoryButton", QStringLiteral("Edit"), page);
    layout->addWidget(makeLabel(videoLabel, page), 0, 0);
    layout->addWidget(defaultVideoDirectory, 0, 1);
    layout->addWidget(EditDefaultVideoDirectoryButton, 0, 2);
    layout->addWidget(makeLabel(catalogLabel, page), 1, 0);
    layout->addWidget(defaultCatalogDirectory, 1, 1);
    layout->addWidget(EditDefaultCatalogDirectoryButton, 1, 2);

    GroupBox1 = new QGroupBox(QStringLiteral("User defined keystrokes"), page);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setAccessibleName(GroupBox1->title());
    auto* keys = new QGridLayout(GroupBox1);
    struct KeyRow {
        QLineEdit** box;
        const char* name;
        const char* label;
        const char* key;
    };
    const KeyRow rows[] = {
        {&chooseclipKey, "chooseclipKey", "video clip", "c"},
        {&exitKey, "exitKey", "exit", "z"},
        {&restartKey, "restartKey", "restart", "r"},
        {&muteKey, "muteKey", "mute", "m"},
        {&makebookmarkKey, "makebookmarkKey", "add bookmark", "o"},
        {&pastecommandlineKey, "pastecommandlineKey", "paste command line", "u"},
        {&playcommandlineKey, "playcommandlineKey", "play command line", "i"},
        {&previousBookmarkKey, "previousBookmarkKey", "play previous bookmark", "8"},
        {&currentBookmarkKey, "currentBookmarkKey", "play current bookmark", "9"},
        {&nextBookmarkKey, "nextBookmarkKey", "play next bookmark", "0"},
    };
    CtrlSelect = makeCheck("CtrlSelect", QStringLiteral("<Ctrl+>"), QStringLiteral("<Ctrl+>"), false, GroupBox1);
    int row = 0;
    for (const KeyRow& r : rows) {
        const QString label = QLatin1String(r.label);
        *r.box = makeKeyBox(r.name, label, QLatin1String(r.key));
        const int column = row < 5 ? 0 : 2;
        keys->addWidget(*r.box, row % 5, column);
        auto* caption = new QHBoxLayout;
        caption->addWidget(makeLabel(label, GroupBox1));
        // The Ctrl switch stands beside the exit key's label.
        if (*r.box == exitKey)
            caption->addWidget(CtrlSelect);
        caption->addStretch(1);
        keys->addLayout(caption, row % 5, column + 1);
        ++row;
    }
    layout->addWidget(GroupBox1, 2, 0, 1, 3);

    const QString hintsCaption = QStringLiteral("Disable showing all pop-up hints");
    DisableShowHints = makeCheck("DisableShowHints", hintsCaption, hintsCaption, false, page);
    layout->addWidget(DisableShowHints, 3, 0, 1, 3);

    ExecuteRestoreKeyboardSettings =
        TColourButton::make("ExecuteRestoreKeyboardSettings", QStringLiteral("Execute"), page);
    layout->addWidget(makeLabel(QStringLiteral("Restore all keyboard and window settings"), page), 4, 0, 1, 2);
    layout->addWidget(ExecuteRestoreKeyboardSettings, 4, 2);
    layout->setRowStretch(5, 1);
    return page;
}

QWidget* TOptionsForm::buildCatalogingPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("CatalogingPage"));
    auto* layout = new QVBoxLayout(page);

    ColumnsGroup = new QGroupBox(QStringLiteral("Columns in Bookmarks Grid"), page);
    ColumnsGroup->setObjectName(QStringLiteral("ColumnsGroup"));
    ColumnsGroup->setAccessibleName(ColumnsGroup->title());
    auto* grid = new QGridLayout(ColumnsGroup);
    grid->addWidget(makeLabel(QStringLiteral("Column"), ColumnsGroup), 0, 0);
    grid->addWidget(makeLabel(QStringLiteral("Default Name"), ColumnsGroup), 0, 1);
    grid->addWidget(makeLabel(QStringLiteral("Show"), ColumnsGroup), 0, 2);

    auto nameBox = [this](const char* objectName, const QString& column) {
        QLineEdit* box = makeBox(objectName, column + QStringLiteral(" column name"), ColumnsGroup);
        box->setText(column);
        return box;
    };
    auto showBox = [this](const char* objectName, const QString& column, bool checked) {
        return makeCheck(objectName, QString(), QStringLiteral("Show ") + column + QStringLiteral(" column"), checked,
                         ColumnsGroup);
    };
    CategoryColumnName = nameBox("CategoryColumnName", QStringLiteral("Category"));
    NameColumnName = nameBox("NameColumnName", QStringLiteral("Name"));
    LearnColumnName = nameBox("LearnColumnName", QStringLiteral("Learn"));
    RatingColumnName = nameBox("RatingColumnName", QStringLiteral("Rating"));
    ShowCategoryColumn = showBox("ShowCategoryColumn", QStringLiteral("Category"), false);
    ShowLearnColumn = showBox("ShowLearnColumn", QStringLiteral("Learn"), true);
    ShowRatingColumn = showBox("ShowRatingColumn", QStringLiteral("Rating"), true);
    ShowFolderColumn = showBox("ShowFolderColumn", QStringLiteral("Folder"), true);

    const struct {
        const char* column;
        QLineEdit* name;
        QCheckBox* show;
    } rows[] = {
        {"Category", CategoryColumnName, ShowCategoryColumn},
        {"Name", NameColumnName, nullptr},
        {"Learn", LearnColumnName, ShowLearnColumn},
        {"Rating", RatingColumnName, ShowRatingColumn},
        {"Folder", nullptr, ShowFolderColumn},
    };
    int row = 1;
    for (const auto& r : rows) {
        grid->addWidget(makeLabel(QLatin1String(r.column), ColumnsGroup), row, 0);
        if (r.name)
            grid->addWidget(r.name, row, 1);
        if (r.show)
            grid->addWidget(r.show, row, 2);
        ++row;
    }
    layout->addWidget(ColumnsGroup);

    BookmarkPlayClickBehavior = new QGroupBox(QStringLiteral("Bookmark Play Click Behavior"), page);
    BookmarkPlayClickBehavior->setObjectName(QStringLiteral("BookmarkPlayClickBehavior"));
    BookmarkPlayClickBehavior->setAccessibleName(BookmarkPlayClickBehavior->title());
    auto* radios = new QVBoxLayout(BookmarkPlayClickBehavior);
    m_playClickButtons = new QButtonGroup(this);
    const char* items[] = {"No action (stay in Cataloging Window)", "Bring Video Playback Window to front",
                           "Go into Full Screen Mode"};
    int id = 0;
    for (const char* item : items) {
        auto* radio = new QRadioButton(QLatin1String(item), BookmarkPlayClickBehavior);
        radio->setAccessibleName(radio->text());
        m_playClickButtons->addButton(radio, id++);
        radios->addWidget(radio);
    }
    m_playClickButtons->button(0)->setChecked(true);
    layout->addWidget(BookmarkPlayClickBehavior);
    layout->addStretch(1);
    return page;
}
