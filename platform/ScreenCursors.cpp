#include "platform/ScreenCursors.h"

#include <map>

namespace {

std::map<Integer, QCursor>& Registered()
{
    static std::map<Integer, QCursor> table;
    return table;
}

} // namespace

void SetScreenCursor(Integer number, const QCursor& cursor)
{
    Registered()[number] = cursor;
}

QCursor ScreenCursor(Integer number)
{
    const auto& table = Registered();
    if (const auto found = table.find(number); found != table.end())
        return found->second;
    return number == -1 ? Qt::BlankCursor : Qt::ArrowCursor;
}

void ResetScreenCursors()
{
    Registered().clear();
}
