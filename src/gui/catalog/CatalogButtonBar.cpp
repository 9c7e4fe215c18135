#include "gui/catalog/CatalogButtonBar.h"

#include "gui/widgets/Colours.h"
#include "gui/widgets/TBlinkLabel.h"
#include "gui/widgets/TColourButton.h"

#include <QHBoxLayout>

namespace {

const QColor kLightViolet(187, 187, 255);
const QColor kOrange(255, 188, 13);
const QColor kLightOrange(255, 223, 138);
constexpr int kBlinkMs = 700;

} // namespace

CatalogButtonBar::CatalogButtonBar(QWidget* parent)
    : QWidget(parent), OpenButton(add("OpenButton", QStringLiteral("open"), Button::Open)),
      SaveButton(add("SaveButton", QStringLiteral("save"), Button::Save)),
      SaveAsButton(add("SaveAsButton", QStringLiteral("save as..."), Button::SaveAs)),
      CloseButton(add("CloseButton", QStringLiteral("close"), Button::Close)),
      toggleLineWrapButton(add("toggleLineWrapButton", QStringLiteral("spacing - 1"), Button::Spacing)),
      turnOnSorting(add("turnOnSorting", QStringLiteral("turn on sorting"), Button::Sorting)),
      PreviousBookmarkButton(add("PreviousBookmarkButton", QStringLiteral("previous (8)"), Button::Previous)),
      CurrentBookmarkButton(add("CurrentBookmarkButton", QStringLiteral("current (9)"), Button::Current)),
      NextBookmarkButton(add("NextBookmarkButton", QStringLiteral("next (0)"), Button::Next)),
      PlayAll(add("PlayAll", QStringLiteral("Play All Bookmarks"), Button::PlayAll)),
      PlayAllFilterButton(add("PlayAllFilterButton", QStringLiteral("filter..."), Button::Filter)),
      PlayingAllLabel(new TBlinkLabel(QStringLiteral("Playing All Bookmarks"), this)),
      hideCatalogButton(add("hideCatalogButton", QStringLiteral("hide video catalog"), Button::HideCatalog)),
      hideRepeatsButton(add("hideRepeatsButton", QStringLiteral("repeats - visible"), Button::Repeats))
{
    setObjectName(QStringLiteral("ButtonPanel"));
    PlayingAllLabel->setObjectName(QStringLiteral("PlayingAllLabel"));
    PlayingAllLabel->setAccessibleName(PlayingAllLabel->text());
    PlayingAllLabel->setBlinkRate(kBlinkMs);
    PlayingAllLabel->hide();
    PlayAllFilterButton->setHint(QStringLiteral("Limit play all and previous/current/next to some mastery levels "
                                                "and ratings"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    for (TColourButton* b : {OpenButton, SaveButton, SaveAsButton, CloseButton})
        row->addWidget(b);
    row->addSpacing(8);
    row->addWidget(toggleLineWrapButton);
    row->addWidget(turnOnSorting);
    row->addSpacing(8);
    for (TColourButton* b :
         {PreviousBookmarkButton, CurrentBookmarkButton, NextBookmarkButton, PlayAll, PlayAllFilterButton})
        row->addWidget(b);
    row->addWidget(PlayingAllLabel);
    row->addStretch(1);
    row->addWidget(hideRepeatsButton);
    row->addWidget(hideCatalogButton);
    setAutoFillBackground(true);
    PlayAll->setHotColor(QColor(0, 0, 128));
    showPlayingAll(false);
}

TColourButton* CatalogButtonBar::add(const char* name, const QString& caption, Button button)
{
    TColourButton* b = TColourButton::make(name, caption, this);
    connect(b, &QAbstractButton::clicked, this, [this, button] { emit clicked(button); });
    return b;
}

void CatalogButtonBar::showSorting(bool on, const QString& caption)
{
    turnOnSorting->setText(caption);
    hideRepeatsButton->setEnabled(!on);
}

void CatalogButtonBar::showRepeatsHidden(bool hidden)
{
    hideRepeatsButton->setText(hidden ? QStringLiteral("repeats - hidden") : QStringLiteral("repeats - visible"));
}

void CatalogButtonBar::showRepeatsButton(bool shown)
{
    hideRepeatsButton->setVisible(shown);
}

void CatalogButtonBar::showSpacing(int style)
{
    toggleLineWrapButton->setText(style == 2 ? QStringLiteral("spacing - 2") : QStringLiteral("spacing - 1"));
}

void CatalogButtonBar::showPlayingAll(bool on)
{
    for (QWidget* w : {OpenButton, SaveButton, SaveAsButton, CloseButton, turnOnSorting})
        w->setEnabled(!on);
    PlayingAllLabel->setVisible(on);
    // The panel of the play buttons: orange while all bookmarks play.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, on ? kOrange : kLightOrange);
    setPalette(palette);
    for (TColourButton* b : {PreviousBookmarkButton, CurrentBookmarkButton, NextBookmarkButton})
        b->setColor(on ? kLightViolet : Colours::buttonFace());
    if (on == m_playingAll)
        return;
    m_playingAll = on;
    if (on) {
        PlayAll->setText(QStringLiteral("Stop Playing Bookmarks"));
        m_playAllHint = PlayAll->hint();
        PlayAll->setHint(QString());
        PlayAll->setColor(Qt::red);
        PlayAll->setHotColor(QColor(128, 0, 0));
    } else {
        PlayAll->setText(QStringLiteral("Play All Bookmarks"));
        PlayAll->setHint(m_playAllHint);
        PlayAll->setColor(Colours::buttonFace());
        PlayAll->setHotColor(QColor(0, 0, 128));
    }
}
