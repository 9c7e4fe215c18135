#include "gui/main/PanelControls.h"

#include "core/input/KeyCommandTable.h"
#include "core/window/ArrangementRules.h"
#include "gui/widgets/TColourButton.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace PanelControls {

TColourButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& bounds)
{
    auto* b = TColourButton::make(name, caption, parent);
    b->setGeometry(bounds);
    b->setButtonLook(TColourButton::blFramedOnHover);
    b->setWordWrap(true);
    b->setShowFocus(true);
    return b;
}

QLineEdit* keyBox(QWidget* parent, const char* name, int x, int y)
{
    const auto row = std::find_if(keys::keyBoxRows.begin(), keys::keyBoxRows.end(),
                                  [name](const keys::KeyBoxRow& r) { return qstrcmp(r.objectName, name) == 0; });
    Q_ASSERT_X(row != keys::keyBoxRows.end(), "PanelControls::keyBox", name);
    auto* e = new QLineEdit(QString::fromLatin1(row->defaultKey), parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setAccessibleName(QString::fromLatin1(row->accessibleName));
    e->setMaxLength(1);
    e->setAlignment(Qt::AlignCenter);
    e->setGeometry(x, y, 20, 22);
    return e;
}

QComboBox* list(QWidget* parent, const char* name, const QStringList& entries, int current, const QRect& bounds)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setAccessibleName(QString::fromLatin1(name));
    c->addItems(entries);
    c->setCurrentIndex(current);
    c->setGeometry(bounds);
    return c;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& bounds)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAccessibleName(text);
    l->setGeometry(bounds);
    return l;
}

void makeGroup(QGroupBox* group, const char* name, const QString& title, const QRect& bounds)
{
    group->setObjectName(QString::fromLatin1(name));
    group->setTitle(title);
    group->setAccessibleName(title);
    group->setGeometry(bounds);
}

void place(QWidget* control, int left, int top, int width, int height)
{
    const QRect r = control->geometry();
    control->setGeometry(left < 0 ? r.x() : left, top < 0 ? r.y() : top, width < 0 ? r.width() : width,
                         height < 0 ? r.height() : height);
}

void showBeginnerCaptions(QWidget* panel)
{
    for (const arrangement::Caption& c : arrangement::beginnerCaptions()) {
        if (auto* b = panel->findChild<TColourButton*>(QString::fromLatin1(c.control)))
            b->setText(QString::fromLatin1(c.caption));
    }
}

void shift(QWidget* control, int sign, int left, int top, int width, int height)
{
    control->setGeometry(control->x() + sign * left, control->y() + sign * top, control->width() + sign * width,
                         control->height() + sign * height);
}

} // namespace PanelControls
