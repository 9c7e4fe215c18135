#include "gui/widgets/ControlBinding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace ControlBinding {

template <class S> void bindText(BindingOf<S>& binding, QString S::*member, QLineEdit* box)
{
    binding.bind(
        member, [box] { return box->text(); }, [box](const QString& text) { box->setText(text); });
}

template <class S> void bindCheck(BindingOf<S>& binding, bool S::*member, QCheckBox* box)
{
    binding.bind(
        member, [box] { return box->isChecked(); }, [box](bool on) { box->setChecked(on); });
}

template <class S> void bindIndex(BindingOf<S>& binding, int S::*member, QComboBox* list)
{
    binding.bind(
        member, [list] { return list->currentIndex(); }, [list](int index) { list->setCurrentIndex(index); });
}

template void bindText(BindingOf<Settings>&, QString Settings::*, QLineEdit*);
template void bindCheck(BindingOf<Settings>&, bool Settings::*, QCheckBox*);
template void bindIndex(BindingOf<Settings>&, int Settings::*, QComboBox*);
template void bindText(BindingOf<Extras>&, QString Extras::*, QLineEdit*);
template void bindCheck(BindingOf<Extras>&, bool Extras::*, QCheckBox*);
template void bindIndex(BindingOf<Extras>&, int Extras::*, QComboBox*);

} // namespace ControlBinding
