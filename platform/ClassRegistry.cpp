#include "platform/ClassRegistry.h"

#include "platform/AnsiText.h"
#include "platform/TextLanguage.h"

#include <algorithm>
#include <unordered_map>

namespace {

struct TRegistry {
    std::vector<const TClassInfo*> ordered;
    // Upper-cased name -> first class registered under it.
    std::unordered_map<AnsiString, const TClassInfo*> byName;
};

// Function-local so registration from static initialisers of other units works.
TRegistry& Registry()
{
    static TRegistry registry;
    return registry;
}

bool IsRegistered(const TClassInfo* info)
{
    const auto& ordered = Registry().ordered;
    return std::find(ordered.begin(), ordered.end(), info) != ordered.end();
}

// The name comes from a stream (CP1252); the message is UTF-8.
EClassNotFound ClassNotFound(std::string_view name)
{
    return EClassNotFound(ClassNotFoundMessage(AnsiToQString(name).toStdString()));
}

}  // namespace

bool TClassInfo::InheritsFrom(const TClassInfo& other) const
{
    for (const TClassInfo* c = this; c; c = c->Parent) {
        if (c == &other)
            return true;
    }
    return false;
}

const TClassInfo& TPersistent::StaticClass()
{
    static const TClassInfo info{"TPersistent", nullptr, nullptr};
    return info;
}

void RegisterClass(const TClassInfo& info)
{
    TRegistry& registry = Registry();
    for (const TClassInfo* c = &info; c; c = c->Parent) {
        if (IsRegistered(c))
            continue;
        registry.ordered.push_back(c);
        registry.byName.emplace(AnsiUpperCase(c->Name), c);
    }
}

const TClassInfo* GetClass(std::string_view name)
{
    const auto& byName = Registry().byName;
    const auto it = byName.find(AnsiUpperCase(name));
    return it == byName.end() ? nullptr : it->second;
}

const TClassInfo& FindClass(std::string_view name)
{
    if (const TClassInfo* info = GetClass(name))
        return *info;
    throw ClassNotFound(name);
}

TPersistent* CreateObjectByName(std::string_view name)
{
    const TClassInfo& info = FindClass(name);
    if (!info.Create)
        throw ClassNotFound(name);
    return info.Create(info);
}

const std::vector<const TClassInfo*>& RegisteredClasses()
{
    return Registry().ordered;
}

void UnregisterAllClassesForTest()
{
    Registry() = TRegistry{};
}
