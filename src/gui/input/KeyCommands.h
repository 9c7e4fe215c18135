#pragma once

#include "core/catalog/CatalogView.h"
#include "core/input/KeyMatching.h"

#include <QObject>
#include <array>
#include <functional>

class QLineEdit;

// The key command table bound to the program: which edit box holds each
// key, what the gates read, and which operation each command runs. The
// composition root supplies all three, so the keyboard knows no window.
class KeyCommands : public QObject {
    Q_OBJECT
public:
    using Operation = std::function<void(QObject* sender)>;
    using Boxes = std::array<QLineEdit*, keys::KeyBoxCount>;

    KeyCommands(const Boxes& boxes, std::function<keys::Gates()> gates, std::function<bool()> ctrlSelect,
                QObject* parent = nullptr);

    // The operation a command runs, told the window where the key was
    // pressed (most operations ignore it: a key gives them no sender).
    void bind(keys::Command command, Operation operation);

    QLineEdit* box(keys::KeyBox box) const;
    keys::KeyTexts texts() const;
    keys::Gates gates() const { return m_gates(); }
    bool ctrlSelect() const { return m_ctrlSelect(); }

    void run(keys::Command command, QObject* sender);

    // The arrow key pressed last; the catalog grid skips hidden columns its
    // way.
    CatalogView::Arrow lastArrow() const { return m_lastArrow; }

signals:
    // After each command a keystroke ran, for whoever watches the keyboard.
    void commandRan(keys::Command command);

private:
    static constexpr int CommandCount = keys::CommandCount;

    Boxes m_boxes;
    std::function<keys::Gates()> m_gates;
    std::function<bool()> m_ctrlSelect;
    std::array<Operation, CommandCount> m_operations;
    CatalogView::Arrow m_lastArrow = CatalogView::Arrow::None;
};
