#pragma once

#include <QDialog>
#include <QLabel>

class TColourButton;
class TPicture;

// A label that acts as a link: it opens its address with the desktop's
// default program when clicked, or on Enter or Space while it has the focus.
class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    TLinkLabel(const QString& address, QWidget* parent);
    QString address() const { return m_address; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_address;
};

// The about box: the program's name and version, two pictures and links to
// the program's web pages. Modal.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    static QString productAddress() { return QStringLiteral("https://tempoloop.org/"); }
    static QString makerAddress() { return QStringLiteral("https://tempoloop.org/support"); }

    void Label4Click();
    void Label5Click();

    QWidget* Panel1;     // the upper panel
    TPicture* Image1;    // left picture
    TPicture* Image2;    // right picture
    TPicture* Image3;    // small picture under the name
    QLabel* ProgramName; // "Tempoloop"
    QLabel* VersionLabel;
    TLinkLabel* Label5; // the product's page, at the left
    TLinkLabel* Label4; // the maker's home page, at the right
    TColourButton* OK_Button;
    QWidget* Panel3; // takes the focus when the box is activated

protected:
    void changeEvent(QEvent* event) override;
};
