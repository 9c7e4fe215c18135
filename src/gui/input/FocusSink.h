#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

class QAbstractButton;
class QComboBox;
class QLabel;

// The focus sink of a command window: a panel `PanelFocusPanel` holding a
// focusable panel `focusPanel`, both of zero width so nobody sees them. While
// focusPanel holds the focus, keystrokes are commands ("player controls
// active", green); while anything else does, they are text ("text entry
// active", red). The catalog window names its inactive state differently.
class FocusSink : public QWidget {
    Q_OBJECT
public:
    explicit FocusSink(QWidget* parent = nullptr);

    QWidget* focusPanel() const { return m_focusPanel; }
    // Gives focusPanel the keyboard focus (showing the sink if it is hidden).
    void takeFocus();
    bool isActive() const; // focusPanel holds the focus
    QString stateText() const;
    QColor stateColor() const;

    void setInactiveText(const QString& text);

signals:
    void focusPanelClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showState(bool active);

    QWidget* m_focusPanel;
    QString m_activeText = QStringLiteral("player controls active");
    QString m_inactiveText = QStringLiteral("text entry active");
    QString m_stateText;
    QColor m_stateColor;
};

// A control of a command window that the mouse used: its handler runs, then
// the keys go back to the window (`giveKeysBack`, its focus sink or its
// grid), so the next key is a command again. The same operation started by
// a key leaves the focus where it is, so keys never come through here.
void handBackKeysAfterClick(QAbstractButton* button, std::function<void()> handler, std::function<void()> giveKeysBack);
// The same for a list whose entry was picked.
void handBackKeysAfterPick(QComboBox* list, std::function<void()> handler, std::function<void()> giveKeysBack);
