#include "gui/help/TAboutForm.h"

#include "gui/help/AboutPictures.h"
#include "gui/prompt/DesktopServices.h"
#include "gui/widgets/TColourButton.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

constexpr int PictureWidth = 250;
constexpr int PictureHeight = 161;

TPicture* picture(const QPixmap& pixmap, const char* name, const QString& description, QWidget* parent)
{
    auto* shown = new TPicture(pixmap, description, parent);
    shown->setObjectName(QLatin1String(name));
    return shown;
}

} // namespace

TLinkLabel::TLinkLabel(const QString& address, QWidget* parent) : QLabel(parent), m_address(address)
{
    setText(address);
    setAccessibleName(address);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(pal);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void TLinkLabel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent), Panel1(new QWidget(this)), Image1(picture(AboutPictures::dancers({PictureWidth, PictureHeight}),
                                                                 "Image1", QStringLiteral("dancers"), Panel1)),
      Image2(picture(AboutPictures::filmLoop({PictureWidth, PictureHeight}), "Image2", QStringLiteral("film loop"),
                     Panel1)),
      Image3(picture(AboutPictures::loopSign({36, 36}), "Image3", QStringLiteral("loop sign"), Panel1)),
      ProgramName(new QLabel(QStringLiteral("Tempoloop"), Panel1)),
      VersionLabel(new QLabel(QStringLiteral("Version 1.00"), Panel1)),
      Label5(new TLinkLabel(productAddress(), Panel1)), Label4(new TLinkLabel(makerAddress(), Panel1)),
      OK_Button(new TColourButton(QStringLiteral("OK"), this)), Panel3(new QWidget(this))
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About Tempoloop"));
    setModal(true);
    setFixedSize(674, 242);

    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAccessibleName(QStringLiteral("About Tempoloop"));
    Panel1->setGeometry(0, 0, 674, 200);
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 255));
    Panel1->setPalette(pal);

    Image1->move(8, 8);
    Image2->move(674 - 8 - PictureWidth, 8);

    // Between the pictures: the name, the small picture and the version.
    const int middleLeft = 8 + PictureWidth;
    const int middleWidth = 674 - 2 * (8 + PictureWidth);
    ProgramName->setObjectName(QStringLiteral("ProgramName"));
    ProgramName->setAccessibleName(ProgramName->text());
    QFont large = ProgramName->font();
    large.setPixelSize(24);
    large.setBold(true);
    ProgramName->setFont(large);
    ProgramName->setAlignment(Qt::AlignCenter);
    ProgramName->setGeometry(middleLeft, 22, middleWidth, 44);
    Image3->move(middleLeft + (middleWidth - Image3->width()) / 2, 76);
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    VersionLabel->setAccessibleName(VersionLabel->text());
    VersionLabel->setAlignment(Qt::AlignCenter);
    VersionLabel->setGeometry(middleLeft, 122, middleWidth, 20);

    // Along the bottom edge: the two links.
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setToolTip(QStringLiteral("visit the Tempoloop website"));
    Label5->setGeometry(8, 176, PictureWidth, 18);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setToolTip(QStringLiteral("visit tempoloop.org for help and support"));
    Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label4->setGeometry(674 - 8 - PictureWidth, 176, PictureWidth, 18);

    OK_Button->setObjectName(QStringLiteral("OK_Button"));
    OK_Button->setGeometry((674 - 75) / 2, 208, 75, 25);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setAccessibleName(QStringLiteral("Panel3"));
    Panel3->setFocusPolicy(Qt::StrongFocus);
    Panel3->setGeometry(0, 242, 0, 0);

    connect(OK_Button, &QAbstractButton::clicked, this, &QDialog::accept);
    connect(Label4, &TLinkLabel::clicked, this, &TAboutForm::Label4Click);
    connect(Label5, &TLinkLabel::clicked, this, &TAboutForm::Label5Click);
}

void TAboutForm::Label4Click()
{
    DesktopServices::openUrl(QUrl(Label4->address()));
}

void TAboutForm::Label5Click()
{
    DesktopServices::openUrl(QUrl(Label5->address()));
}

void TAboutForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Panel3->setFocus(Qt::OtherFocusReason);
    QDialog::changeEvent(event);
}
