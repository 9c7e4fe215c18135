#pragma once

#include "core/settings/SettingsBinding.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// Binding the common controls to their settings: a box's text, a check
// box's check, a drop-down list's chosen position.
namespace ControlBinding {

// For config.txt's SettingsBinding and extras.txt's ExtrasBinding alike.
template <class S> void bindText(BindingOf<S>& binding, QString S::*member, QLineEdit* box);
template <class S> void bindCheck(BindingOf<S>& binding, bool S::*member, QCheckBox* box);
template <class S> void bindIndex(BindingOf<S>& binding, int S::*member, QComboBox* list);

} // namespace ControlBinding
