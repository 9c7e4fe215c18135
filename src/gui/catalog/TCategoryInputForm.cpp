#include "gui/catalog/TCategoryInputForm.h"

#include "gui/widgets/TColourButton.h"

#include <QComboBox>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

namespace {
constexpr int kClientHeight = 123;
constexpr int kButtonTop = 91;
} // namespace

TCategoryInputForm::TCategoryInputForm(QWidget* parent)
    : QDialog(parent), Label_Category(new QLabel(promptFor(QStringLiteral("Category")), this)),
      InputBox_Category(new QComboBox(this)), Label_Name(new QLabel(promptFor(QStringLiteral("Name")), this)),
      InputBox_Name(new QLineEdit(this)), OK_Button(new TColourButton(QStringLiteral("OK"), this)),
      Cancel_Button(new TColourButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("CategoryInputForm"));
    setModal(true);
    // The boxes and prompts were laid out for an 8-point font.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    Label_Category->setObjectName(QStringLiteral("Label_Category"));
    InputBox_Category->setObjectName(QStringLiteral("InputBox_Category"));
    InputBox_Category->setEditable(true);
    InputBox_Category->setInsertPolicy(QComboBox::NoInsert);
    Label_Name->setObjectName(QStringLiteral("Label_Name"));
    InputBox_Name->setObjectName(QStringLiteral("InputBox_Name"));
    OK_Button->setObjectName(QStringLiteral("OK_Button"));
    Cancel_Button->setObjectName(QStringLiteral("Cancel_Button"));
    InputBox_Category->installEventFilter(this);
    InputBox_Category->lineEdit()->installEventFilter(this);
    InputBox_Name->installEventFilter(this);
    connect(OK_Button, &QAbstractButton::clicked, this, &QDialog::accept);
    connect(Cancel_Button, &QAbstractButton::clicked, this, &QDialog::reject);

    arrange(QStringLiteral("Category"), QStringLiteral("Name"), true, {}, {}, {});
}

QString TCategoryInputForm::promptFor(const QString& title)
{
    return QStringLiteral("Enter a \"") + title + QStringLiteral("\" for this scene (or dance move)");
}

void TCategoryInputForm::arrange(const QString& categoryTitle, const QString& nameTitle, bool showCategory,
                                 const QStringList& categories, const QString& lastCategory, const QString& lastName)
{
    Label_Name->setText(promptFor(nameTitle));
    Label_Name->setAccessibleName(Label_Name->text());
    InputBox_Name->setAccessibleName(nameTitle);
    if (showCategory) {
        setWindowTitle(categoryTitle + QStringLiteral(" and ") + nameTitle);
        Label_Category->setText(promptFor(categoryTitle));
        Label_Category->setAccessibleName(Label_Category->text());
        InputBox_Category->setAccessibleName(categoryTitle);
        InputBox_Category->clear();
        QStringList unique;
        for (const QString& category : categories)
            if (!unique.contains(category))
                unique.append(category);
        InputBox_Category->addItems(unique);
        InputBox_Category->setEditText(lastCategory);
        InputBox_Name->setText(lastName);
        setFixedSize(623, kClientHeight);
        Label_Category->setGeometry(15, 24, 281, 16);
        InputBox_Category->setGeometry(15, 47, 281, 21);
        Label_Name->setGeometry(327, 24, 273, 16);
        InputBox_Name->setGeometry(327, 47, 273, 21);
        OK_Button->setGeometry(219, kButtonTop, 81, 25);
        Cancel_Button->setGeometry(323, kButtonTop, 73, 25);
        Label_Category->show();
        InputBox_Category->show();
        InputBox_Category->setFocus(Qt::OtherFocusReason);
    } else {
        setWindowTitle(nameTitle);
        InputBox_Name->clear();
        setFixedSize(320, kClientHeight);
        Label_Category->hide();
        InputBox_Category->hide();
        Label_Name->setGeometry(20, 24, 273, 16);
        InputBox_Name->setGeometry(20, 47, 273, 21);
        OK_Button->setGeometry(68, kButtonTop, 81, 25);
        Cancel_Button->setGeometry(172, kButtonTop, 73, 25);
        InputBox_Name->setFocus(Qt::OtherFocusReason);
    }
}

bool TCategoryInputForm::ask()
{
    if (m_shower)
        return m_shower(*this);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    return exec() == QDialog::Accepted;
}

QString TCategoryInputForm::category() const
{
    return InputBox_Category->currentText();
}

QString TCategoryInputForm::name() const
{
    return InputBox_Name->text();
}

bool TCategoryInputForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool inCategory = watched == InputBox_Category || watched == InputBox_Category->lineEdit();
    if (key == Qt::Key_Escape && (inCategory || watched == InputBox_Name)) {
        reject();
        return true;
    }
    if (enter && inCategory) {
        InputBox_Name->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (enter && watched == InputBox_Name) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
