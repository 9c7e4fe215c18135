// The options window's settings: which control holds each of them.
#include "gui/options/TOptionsForm.h"

#include "core/settings/BindingTable.h"
#include "gui/widgets/BindToControl.h"
#include "gui/widgets/WindowPlacement.h"

#include <QCheckBox>

void TOptionsForm::bindSettings(ConfigBindings& binding)
{
    using S = Settings;
    bindText(binding, &S::bookmarksFormCategoryColumnName, CategoryColumnName);
    bindText(binding, &S::bookmarksFormNameColumnName, NameColumnName);
    bindText(binding, &S::bookmarksFormLearnColumnName, LearnColumnName);
    bindText(binding, &S::bookmarksFormRatingColumnName, RatingColumnName);
    bindCheck(binding, &S::bookmarksFormCategoryColumnShow, ShowCategoryColumn);
    bindCheck(binding, &S::bookmarksFormLearnColumnShow, ShowLearnColumn);
    bindCheck(binding, &S::bookmarksFormRatingColumnShow, ShowRatingColumn);
    bindCheck(binding, &S::bookmarksFormFolderColumnShow, ShowFolderColumn);

    WindowPlacement::bindPosition(binding, this, &S::optionsFormLeft, &S::optionsFormTop);
    bindText(binding, &S::defaultVideoDirectory, defaultVideoDirectory);
    bindText(binding, &S::defaultCatalogDirectory, defaultCatalogDirectory);

    bindText(binding, &S::chooseClipKey, chooseclipKey);
    bindText(binding, &S::exitKey, exitKey);
    bindCheck(binding, &S::exitKeyWithCtrl, CtrlSelect);
    bindText(binding, &S::pasteCommandLineKey, pastecommandlineKey);
    bindText(binding, &S::playCommandLineKey, playcommandlineKey);
    bindText(binding, &S::addBookmarkKey, makebookmarkKey);
    bindText(binding, &S::restartKey, restartKey);
    bindText(binding, &S::muteKey, muteKey);
    bindText(binding, &S::previousBookmarkKey, previousBookmarkKey);
    bindText(binding, &S::currentBookmarkKey, currentBookmarkKey);
    bindText(binding, &S::nextBookmarkKey, nextBookmarkKey);
    // The hint switch acts once the settings are in place, whatever its state.
    binding.bind(
        &S::disableShowingHints, [this] { return DisableShowHints->isChecked(); },
        [this](bool disabled) {
            DisableShowHints->setChecked(disabled);
            emit hintsSwitched(!disabled);
        });
    binding.bind(
        &S::bookmarkPlayClickBehavior, [this] { return BookmarkPlayClickBehaviorIndex(); },
        [this](int index) { setBookmarkPlayClickBehaviorIndex(index); });
}
