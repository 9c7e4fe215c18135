#pragma once

#include "core/settings/BindingTable.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// Binding the common controls to their settings: a box's text, a check
// box's check, a drop-down list's chosen position.
// For config.txt's ConfigBindings and extras.txt's ExtrasBindings alike.
template <class S> void bindText(BindingTable<S>& binding, QString S::*member, QLineEdit* box);
template <class S> void bindCheck(BindingTable<S>& binding, bool S::*member, QCheckBox* box);
template <class S> void bindIndex(BindingTable<S>& binding, int S::*member, QComboBox* list);
