#pragma once

#include <QWidget>
#include <optional>

class QPlainTextEdit;

// The catalog window's description pane, headed "Description": the text
// box `DescriptionMemo` that shows the selected bookmark's description and
// takes what the user types. Descriptions come and go with their lines
// joined by CR LF.
class DescriptionPane : public QWidget {
    Q_OBJECT
public:
    explicit DescriptionPane(QWidget* parent = nullptr);

    void showText(const QString& text);
    // The text, when it changed since it was shown or taken.
    std::optional<QString> typedText() const;
    // What the box holds is taken; typing from now on is new.
    void markTaken();
    // The text box, for the window's focus model.
    QWidget* textBox() const;

signals:
    // The text box lost the focus.
    void left();
    // The user changed the text.
    void typed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* DescriptionMemo;
    QString m_shown; // the text as shown or last taken
    bool m_showing = false;
};
