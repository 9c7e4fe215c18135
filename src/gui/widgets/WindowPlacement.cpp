#include "gui/widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace WindowPlacement {

namespace {

// Below this a window is too small to find and take hold of.
constexpr QSize kSmallestFindable(120, 80);

int fit(int value, int smallest, int largest)
{
    // A screen smaller than the window's minimum: the minimum wins.
    return std::max(smallest, std::min(value, largest));
}

QScreen* screenFor(const QRect& bounds)
{
    QScreen* best = nullptr;
    qint64 bestArea = 0;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->availableGeometry().intersected(bounds);
        const qint64 area = qint64(common.width()) * common.height();
        if (!common.isEmpty() && area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    return best;
}

void place(QWidget* window, const QRect& bounds)
{
    window->setGeometry(fitted(bounds, smallestSize(window)));
}

} // namespace

QRect fitted(const QRect& bounds, const QSize& smallest)
{
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return bounds;
    // The screen the window's corner lies on (its size is not to be trusted
    // yet), else the primary one.
    QScreen* screen = QGuiApplication::screenAt(bounds.topLeft());
    const QRect area = (screen ? screen : primary)->availableGeometry();
    QRect result(bounds.topLeft(), QSize(fit(bounds.width(), smallest.width(), area.width()),
                                         fit(bounds.height(), smallest.height(), area.height())));
    if (!screenFor(result))
        result.moveTopLeft(primary->availableGeometry().topLeft());
    return result;
}

QSize smallestSize(const QWidget* window)
{
    return window->minimumSize().expandedTo(kSmallestFindable);
}

int stateOf(const QWidget* window)
{
    if (window->isMinimized())
        return 1;
    return window->isMaximized() ? 2 : 0;
}

void bindBounds(ConfigBindings& binding, QWidget* window, int Settings::*left, int Settings::*top, int Settings::*width,
                int Settings::*height, int Settings::*state, int shiftBy,
                std::function<windowsize::Placement(const windowsize::Placement&)> toStore)
{
    const auto apply = [=](const Settings& s) {
        place(window, QRect(s.*left, s.*top, s.*width, s.*height));
        const int wanted = s.*state;
        if (wanted == 0 || wanted == 1) {
            window->setWindowState(Qt::WindowNoState);
        } else if (wanted == 2) {
            place(window, QRect(s.videoClipLargeScreenSizeLeft + shiftBy, s.videoClipLargeScreenSizeTop + shiftBy,
                                s.videoClipLargeScreenSizeWidth, s.videoClipLargeScreenSizeHeight));
            window->setWindowState(Qt::WindowMaximized);
        }
    };
    const auto collect = [=](Settings& s) {
        windowsize::Placement placement{window->geometry(), stateOf(window)};
        if (toStore)
            placement = toStore(placement);
        s.*left = placement.bounds.left();
        s.*top = placement.bounds.top();
        s.*width = placement.bounds.width();
        s.*height = placement.bounds.height();
        s.*state = placement.state;
    };
    binding.bindGroup({left, top, width, height, state}, apply, collect);
}

void bindPosition(ConfigBindings& binding, QWidget* window, int Settings::*left, int Settings::*top)
{
    const auto apply = [=](const Settings& s) {
        window->move(fitted(QRect(QPoint(s.*left, s.*top), window->size()), QSize()).topLeft());
    };
    const auto collect = [=](Settings& s) {
        s.*left = window->x();
        s.*top = window->y();
    };
    binding.bindGroup({left, top}, apply, collect);
}

void bindVisibility(ConfigBindings& binding, QWidget* window, bool Settings::*visible)
{
    binding.bind(
        visible, [window] { return window->isVisible(); }, [window](bool on) { window->setVisible(on); });
}

} // namespace WindowPlacement
