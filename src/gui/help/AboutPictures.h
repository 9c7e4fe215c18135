#pragma once

#include <QPixmap>
#include <QWidget>

// The about box's pictures, drawn at run time.
namespace AboutPictures {

// A couple dancing, in silhouette against an evening sky.
QPixmap dancers(const QSize& size);
// A strip of film bent into a loop, with a play arrow in its middle.
QPixmap filmLoop(const QSize& size);
// A small round arrow: the loop sign.
QPixmap loopSign(const QSize& size);

} // namespace AboutPictures

// Shows one picture at its own size; its accessible name says what it shows.
class TPicture : public QWidget {
    Q_OBJECT
public:
    TPicture(const QPixmap& pixmap, const QString& description, QWidget* parent);
    const QPixmap& pixmap() const { return m_pixmap; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_pixmap;
};
