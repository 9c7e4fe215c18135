#include "ui/widgets/ControlBinding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace ControlBinding {

void bindText(SettingsBinding& binding, QString Settings::*member, QLineEdit* box)
{
    binding.bind(
        member, [box] { return box->text(); }, [box](const QString& text) { box->setText(text); });
}

void bindCheck(SettingsBinding& binding, bool Settings::*member, QCheckBox* box)
{
    binding.bind(
        member, [box] { return box->isChecked(); }, [box](bool on) { box->setChecked(on); });
}

void bindIndex(SettingsBinding& binding, int Settings::*member, QComboBox* list)
{
    binding.bind(
        member, [list] { return list->currentIndex(); }, [list](int index) { list->setCurrentIndex(index); });
}

} // namespace ControlBinding
