#pragma once

// The whole program with a catalog open in its catalog window, for the
// catalog window tests: catalogs written to the program's catalog folder,
// opened through the (scripted) open dialog, and mouse and key events sent
// to the real grid.

#include "AppFixture.h"
#include "core/catalog/CatalogControllers.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogFiles.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/catalog/TBookmarksGrid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QWindow>

class CatalogFixture : public AppFixture {
public:
    CatalogFixture()
    {
        defaultClip.duration = 600;
        QDir(programDir.path()).mkpath(QStringLiteral("VideoCatalogs"));
    }

    TBookmarksForm* form() const { return startup->windows().BookmarksForm; }
    CatalogDocument* doc() const { return form()->document(); }
    TBookmarksGrid* grid() const { return form()->findChild<TBookmarksGrid*>(QStringLiteral("BookmarksGrid")); }
    // The rules behind the catalog window, from the composition root.
    CatalogControllers& rules() const { return *startup->catalog(); }
    // A control of the catalog window by its object name.
    template <class T = QWidget> T* formControl(const char* name) const
    {
        T* found = form()->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QString catalogFolder() const { return programFolder() + QStringLiteral("VideoCatalogs/"); }

    // Bookmarks named by `names` with these categories (or none), each on
    // its own clip in the clip folder.
    CatalogData catalog(const QStringList& names, const QStringList& categories = {})
    {
        CatalogData data;
        for (int i = 0; i < names.size(); ++i) {
            Bookmark b;
            b.category = categories.value(i);
            b.name = names[i];
            b.startTime = QStringLiteral("00:00:%1").arg(10 + i);
            b.endTime = QStringLiteral("00:01:%1").arg(10 + i);
            b.fileName = QStringLiteral("clip %1.mp4").arg(i + 1);
            b.folder = clipFolder();
            makeClip(b.fileName);
            data.bookmarks.append(b);
        }
        return data;
    }

    // Writes the catalog and opens it through the open dialog.
    bool open(const CatalogData& data, const QString& name = QStringLiteral("steps.tvc"))
    {
        QString error;
        const QString path = catalogFolder() + name;
        if (!(name.endsWith(".tvc") ? TVC_WriteCatalogFile(path, data, &error)
                                    : CSV_WriteCatalogFile(path, data, &error)))
            return false;
        prompt.queueFileName(path);
        const bool opened = rules().lifecycle.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow);
        form()->activateWindow();
        return opened && QTest::qWaitForWindowExposed(form());
    }

    QStringList column(int c) const
    {
        QStringList texts;
        for (int r = 1; r < doc()->RowCount(); ++r)
            texts << doc()->Cells(c, r);
        return texts;
    }

    QPoint cell(int column, int row) const
    {
        return grid()->visualRect(grid()->model()->index(row - 1, column)).center();
    }
    void click(int column, int row, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, modifiers, cell(column, row));
    }
    void doubleClick(int column, int row) const
    {
        click(column, row);
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cell(column, row));
    }
    void clickHeader(int column, Qt::KeyboardModifiers modifiers = {}) const
    {
        QHeaderView* header = grid()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, modifiers, at);
    }
    void doubleClickHeader(int column) const
    {
        QHeaderView* header = grid()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    // A keystroke as the platform delivers it to the catalog window.
    void key(Qt::Key key) const { QTest::keyClick(form()->windowHandle(), key); }

    // Enter in a cell editor: the value is committed once events run.
    static void commit(QWidget* editor)
    {
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    // The open cell editor, if any.
    template <class Editor = QLineEdit> Editor* editor() const
    {
        for (Editor* e : grid()->viewport()->findChildren<Editor*>())
            if (e->isVisible())
                return e;
        return nullptr;
    }
};
