#include "gui/main/MainMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenuBar>

namespace {

constexpr MainMenu::Item kArrangementItems[] = {MainMenu::Item::Hidden1, MainMenu::Item::PlayerControls1,
                                                MainMenu::Item::WindowControls1, MainMenu::Item::All_Player_First,
                                                MainMenu::Item::All_Window_First};

} // namespace

MainMenu::MainMenu(QMainWindow& window) : QObject(&window)
{
    using I = Item;
    QMenuBar* bar = window.menuBar();
    m_items.resize(int(I::About1) + 1);
    auto add = [this](QMenu* menu, Item item, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        m_items[int(item)] = a;
        return a;
    };

    QMenu* file = bar->addMenu(tr("File"));
    add(file, I::choosevideoclip1, "choosevideoclip1", QStringLiteral("View video clip"));
    add(file, I::PlayPreviousClip1, "PlayPreviousClip1",
        QStringLiteral("Play previous clip in same directory     (PgUp)"));
    add(file, I::PlayNextClip1, "PlayNextClip1", QStringLiteral("Play next clip in same directory           (PgDn)"));
    file->addSeparator();
    add(file, I::ImportMultipleClips1, "ImportMultipleClips1",
        QStringLiteral("Import Multiple Clips into Video Catalog"));
    add(file, I::ShowBookmarks1, "ShowBookmarks1", QStringLiteral("Open Video Catalog"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    file->addSeparator();
    add(file, I::Exit1, "Exit1", QStringLiteral("Exit"));

    QMenu* view = bar->addMenu(tr("View"));
    add(view, I::BeginnerMode1, "BeginnerMode1", QStringLiteral("Beginner Mode"))->setCheckable(true);
    QAction* advanced = add(view, I::AdvancedMode1, "AdvancedMode1", QStringLiteral("Advanced Mode"));
    advanced->setCheckable(true);
    advanced->setChecked(true);
    UserControls1 = view->addMenu(QStringLiteral("User Controls"));
    UserControls1->menuAction()->setObjectName(QStringLiteral("UserControls1"));
    auto* arrangement = new QActionGroup(this);
    const std::pair<const char*, const char*> arrangementItems[] = {
        {"Hidden1", "Hidden"},
        {"PlayerControls1", "Player controls only"},
        {"WindowControls1", "Window controls only"},
        {"All_Player_First", "All -- Player controls first"},
        {"All_Window_First", "All -- Window controls first"},
    };
    for (int i = 0; i < 5; ++i) {
        QAction* a = add(UserControls1, kArrangementItems[i], arrangementItems[i].first,
                         QString::fromLatin1(arrangementItems[i].second));
        a->setCheckable(true);
        arrangement->addAction(a);
    }
    action(I::All_Player_First)->setChecked(true);
    view->addSeparator();
    QAction* lock = add(view, I::OriginalSize1, "OriginalSize1", QStringLiteral("Lock to original clip size"));
    lock->setCheckable(true);
    lock->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    QAction* mirror = add(view, I::MirrorView1, "MirrorView1", QStringLiteral("Mirror view"));
    mirror->setCheckable(true);
    connect(mirror, &QAction::toggled, this, &MainMenu::mirrorToggled);
    view->addSeparator();
    add(view, I::VideoFileInfo1, "VideoFileInfo1", QStringLiteral("Video File Info"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));

    QMenu* tools = bar->addMenu(tr("Tools"));
    add(tools, I::Options1, "Options1", QStringLiteral("Options"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    tools->addSeparator();
    add(tools, I::CommandLineEntry1, "CommandLineEntry1", QStringLiteral("Command Line Entry"));

    QMenu* help = bar->addMenu(tr("Help"));
    add(help, I::QuickStartGuide1, "QuickStartGuide1", QStringLiteral("Quick Start Guide"));
    add(help, I::UserManual1, "UserManual1", QStringLiteral("User Manual"));
    help->addSeparator();
    add(help, I::About1, "About1", QStringLiteral("About"));
}

QAction* MainMenu::action(Item item) const
{
    return m_items[int(item)];
}

void MainMenu::onItem(Item item, std::function<void()> handler)
{
    connect(action(item), &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
}

void MainMenu::trigger(Item item)
{
    action(item)->trigger();
}

void MainMenu::showMode(bool beginner)
{
    action(Item::BeginnerMode1)->setChecked(beginner);
    action(Item::AdvancedMode1)->setChecked(!beginner);
    UserControls1->menuAction()->setEnabled(!beginner);
}

void MainMenu::showArrangement(int state)
{
    if (state >= 0 && state < 5)
        action(kArrangementItems[state])->setChecked(true);
}

bool MainMenu::originalSizeLocked() const
{
    return action(Item::OriginalSize1)->isChecked();
}

void MainMenu::setOriginalSizeLocked(bool on)
{
    action(Item::OriginalSize1)->setChecked(on);
}

bool MainMenu::mirrored() const
{
    return action(Item::MirrorView1)->isChecked();
}

void MainMenu::setMirrored(bool on)
{
    action(Item::MirrorView1)->setChecked(on);
}

void MainMenu::showCatalogOpen(bool open)
{
    action(Item::ShowBookmarks1)
        ->setText(open ? QStringLiteral("Show Video Catalog") : QStringLiteral("Open Video Catalog"));
}

void MainMenu::setViewClipCaption(const QString& caption)
{
    action(Item::choosevideoclip1)->setText(caption);
}

void MainMenu::setMirrorViewCaption(const QString& caption)
{
    action(Item::MirrorView1)->setText(caption);
}

void MainMenu::lockForPlayingAll(bool on)
{
    for (Item item : {Item::choosevideoclip1, Item::PlayPreviousClip1, Item::PlayNextClip1, Item::ImportMultipleClips1})
        action(item)->setEnabled(!on);
}
