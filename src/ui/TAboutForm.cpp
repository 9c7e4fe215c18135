#include "ui/TAboutForm.h"

#include "ui/widgets/TColourButton.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent), ProgramName(new QLabel(QStringLiteral("Tempoloop"), this)),
      VersionLabel(new QLabel(QStringLiteral("Version 1.00"), this)),
      OK_Button(new TColourButton(QStringLiteral("OK"), this)), Panel3(new QWidget(this))
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About Tempoloop"));
    setModal(true);
    setFixedSize(674, 242);

    ProgramName->setObjectName(QStringLiteral("ProgramName"));
    ProgramName->setAccessibleName(ProgramName->text());
    QFont large = ProgramName->font();
    large.setPointSize(28);
    large.setBold(true);
    ProgramName->setFont(large);
    ProgramName->setAlignment(Qt::AlignCenter);
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    VersionLabel->setAccessibleName(VersionLabel->text());
    VersionLabel->setAlignment(Qt::AlignCenter);
    OK_Button->setObjectName(QStringLiteral("OK_Button"));
    OK_Button->setFixedSize(75, 25);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setAccessibleName(QStringLiteral("Panel3"));
    Panel3->setFocusPolicy(Qt::StrongFocus);
    Panel3->setFixedSize(0, 0);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(ProgramName);
    layout->addWidget(VersionLabel);
    layout->addStretch(1);
    layout->addWidget(OK_Button, 0, Qt::AlignHCenter);
    layout->addWidget(Panel3);

    connect(OK_Button, &QAbstractButton::clicked, this, &QDialog::accept);
}

void TAboutForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Panel3->setFocus(Qt::OtherFocusReason);
    QDialog::changeEvent(event);
}
