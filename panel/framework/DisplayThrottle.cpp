#include "panel/framework/DisplayThrottle.h"

#include <QPointer>
#include <QTimer>

#include <utility>
#include <vector>

namespace {

struct TPending {
    QPointer<QWidget> Widget;
    bool* Flag;
};

std::vector<TPending> Pending;
bool Scheduled = false;

} // namespace

void RequestDisplayRepaint(QWidget* widget, bool& pending)
{
    if (pending)
        return;
    pending = true;
    Pending.push_back({widget, &pending});
    if (!Scheduled) {
        Scheduled = true;
        QTimer::singleShot(DisplayIntervalMs, [] { FlushDisplayRepaints(); });
    }
}

void FlushDisplayRepaints()
{
    Scheduled = false;
    std::vector<TPending> due = std::move(Pending);
    Pending.clear();
    // A widget gone meanwhile took its flag with it.
    for (const TPending& p : due)
        if (p.Widget) {
            *p.Flag = false;
            p.Widget->update();
        }
}
