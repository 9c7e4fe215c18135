#pragma once

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWidget>

// Checks of how a window lays out its controls, as the user sees them: each
// returns what is wrong, one line per fault, and an empty list when all is
// well (QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')))).
namespace layoutChecks {

inline QString describe(const QWidget* w)
{
    const QString name = w->objectName().isEmpty() ? w->accessibleName() : w->objectName();
    return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(w->metaObject()->className()), name);
}

inline QString describe(const QRect& r)
{
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The controls shown inside `parent`, its own and those of its groups and
// plain containers; not the inner parts of Qt's compound controls.
inline QList<QWidget*> shownChildren(const QWidget* parent)
{
    QList<QWidget*> shown;
    for (QWidget* w : parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!w->isWindow() && w->isVisibleTo(parent) && !w->objectName().startsWith(QLatin1String("qt_")))
            shown << w;
    }
    return shown;
}

// Controls that cover one another or reach out of the control they sit in,
// in `root` and, level by level, in every control it shows.
inline QStringList overlapsAndOverhangs(const QWidget* root)
{
    QStringList faults;
    const QList<QWidget*> shown = shownChildren(root);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QRect r = shown[i]->geometry();
        if (!root->rect().contains(r))
            faults << QStringLiteral("%1 %2 reaches out of %3 %4")
                          .arg(describe(shown[i]), describe(r), describe(root), describe(root->rect()));
        for (qsizetype j = i + 1; j < shown.size(); ++j) {
            if (r.intersects(shown[j]->geometry()))
                faults << QStringLiteral("%1 %2 overlaps %3 %4")
                              .arg(describe(shown[i]), describe(r), describe(shown[j]), describe(shown[j]->geometry()));
        }
        if (!qobject_cast<QAbstractSpinBox*>(shown[i]) && !qobject_cast<QComboBox*>(shown[i]))
            faults << overlapsAndOverhangs(shown[i]);
    }
    return faults;
}

// Controls a layout gave less room than they need to show themselves whole
// (a caption cut, a box flattened), in `root` and every control it shows.
inline QStringList squeezedControls(const QWidget* root)
{
    QStringList faults;
    for (QWidget* w : shownChildren(root)) {
        const QSize needed = w->minimumSizeHint();
        if (needed.isValid() && (w->width() < needed.width() || w->height() < needed.height()))
            faults << QStringLiteral("%1 is %2x%3, needs %4x%5")
                          .arg(describe(w))
                          .arg(w->width())
                          .arg(w->height())
                          .arg(needed.width())
                          .arg(needed.height());
        faults << squeezedControls(w);
    }
    return faults;
}

// The room a line edit's text has, as the line edit draws it: inside its
// frame and text margins, less its own two pixels either side.
inline int textRoom(const QLineEdit* edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const QMargins margins = edit->textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * 2;
}

} // namespace layoutChecks
