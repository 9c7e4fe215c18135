#include "gui/widgets/BindToControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

template <class S> void bindText(BindingTable<S>& binding, QString S::*member, QLineEdit* box)
{
    binding.bind(
        member, [box] { return box->text(); }, [box](const QString& text) { box->setText(text); });
}

template <class S> void bindCheck(BindingTable<S>& binding, bool S::*member, QCheckBox* box)
{
    binding.bind(
        member, [box] { return box->isChecked(); }, [box](bool on) { box->setChecked(on); });
}

template <class S> void bindIndex(BindingTable<S>& binding, int S::*member, QComboBox* list)
{
    binding.bind(
        member, [list] { return list->currentIndex(); }, [list](int index) { list->setCurrentIndex(index); });
}

template void bindText(BindingTable<Settings>&, QString Settings::*, QLineEdit*);
template void bindCheck(BindingTable<Settings>&, bool Settings::*, QCheckBox*);
template void bindIndex(BindingTable<Settings>&, int Settings::*, QComboBox*);
template void bindText(BindingTable<Extras>&, QString Extras::*, QLineEdit*);
template void bindCheck(BindingTable<Extras>&, bool Extras::*, QCheckBox*);
template void bindIndex(BindingTable<Extras>&, int Extras::*, QComboBox*);
