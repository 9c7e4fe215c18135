#pragma once

#include "app/SettingsBinding.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// Binding the common controls to their settings: a box's text, a check
// box's check, a drop-down list's chosen position.
namespace ControlBinding {

void bindText(SettingsBinding& binding, QString Settings::*member, QLineEdit* box);
void bindCheck(SettingsBinding& binding, bool Settings::*member, QCheckBox* box);
void bindIndex(SettingsBinding& binding, int Settings::*member, QComboBox* list);

} // namespace ControlBinding
