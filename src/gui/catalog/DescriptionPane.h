#pragma once

#include <QWidget>
#include <functional>
#include <optional>

class QLabel;
class QPlainTextEdit;

// The catalog window's description pane, headed "Description": the text
// box `DescriptionMemo` that shows the selected bookmark's description and
// takes what the user types, and under it a line of how the bookmark was
// practised. Descriptions come and go with their lines joined by CR LF.
class DescriptionPane : public QWidget {
    Q_OBJECT
public:
    explicit DescriptionPane(QWidget* parent = nullptr);

    void showText(const QString& text);
    // "Last practised 9 Dec 2026, 3 sessions, 41 passes"; empty hides it.
    void showPractice(const QString& text);
    QString practiceText() const;
    // The text, when it changed since it was shown or taken.
    std::optional<QString> typedText() const;
    // What the box holds is taken; typing from now on is new.
    void markTaken();
    // The text box, for the window's focus model.
    QWidget* textBox() const;
    // Checks every change typed or pasted, given the text before and after
    // it (lines joined by CR LF): a change it gives a message for is undone,
    // and the message is shown once the change has been undone.
    using Check = std::function<QString(const QString& before, const QString& after)>;
    void setCheck(Check check) { m_check = std::move(check); }

signals:
    // The text box lost the focus.
    void left();
    // The user changed the text.
    void typed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void checkChange();

    QPlainTextEdit* DescriptionMemo;
    QLabel* m_practice;
    QString m_shown;    // the text as shown or last taken
    QString m_accepted; // the text as it was before the last change
    int m_acceptedCursor = 0;
    Check m_check;
};
