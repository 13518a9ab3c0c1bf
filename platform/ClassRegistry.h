// Process-wide registry of stream classes: every object in a project, macro,
// library or clipboard stream is re-created from its stored class name.
// Registering a class also registers its ancestors; look-up ignores letter
// case and searches in registration order.
#pragma once

#include "platform/Stream.h"

#include <string_view>
#include <vector>

class TPersistent;

struct TClassInfo {
    const char* Name;
    const TClassInfo* Parent;              // nullptr for TPersistent
    // nullptr for abstract classes; gets this record, so one function can
    // make the object of every row of a component family.
    TPersistent* (*Create)(const TClassInfo&);
    bool IsRow = false;                    // the record stands first in a component row
    bool InheritsFrom(const TClassInfo& other) const;
};

class EClassNotFound : public EFilerError {
public:
    using EFilerError::EFilerError;
};

// Root of every class that can stand in a stream.
class TPersistent {
public:
    virtual ~TPersistent() = default;
    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassType() const { return StaticClass(); }
    const char* ClassName() const { return ClassType().Name; }
};

// Adds the class, then each of its ancestors up to TPersistent that is not
// registered yet; a class registered before is left where it is.
void RegisterClass(const TClassInfo& info);
// Names are CP1252 text compared without regard to letter case; the first
// registered match wins.
const TClassInfo* GetClass(std::string_view name);     // nullptr when unknown
const TClassInfo& FindClass(std::string_view name);    // raises "Klasse %s nicht gefunden"
TPersistent* CreateObjectByName(std::string_view name);   // FindClass + Create; EClassNotFound also for abstract
const std::vector<const TClassInfo*>& RegisteredClasses();   // in registration order
void UnregisterAllClassesForTest();

// Inside a class body: ZK_CLASS(TText, TBauteil) or ZK_ABSTRACT_CLASS(TBauteil, TPersistent).
#define ZK_STATIC_CLASS_(Cls, ParentCls, Factory)                                               \
public:                                                                                        \
    static const TClassInfo& StaticClass()                                                     \
    {                                                                                          \
        static const TClassInfo info{#Cls, &ParentCls::StaticClass(), Factory};                \
        return info;                                                                           \
    }                                                                                          \
private:
#define ZK_CLASS_INFO_(Cls, ParentCls, Factory)                                                 \
    ZK_STATIC_CLASS_(Cls, ParentCls, Factory)                                                  \
public:                                                                                        \
    const TClassInfo& ClassType() const override { return StaticClass(); }                     \
private:

#define ZK_CLASS(Cls, ParentCls) \
    ZK_CLASS_INFO_(Cls, ParentCls, [](const TClassInfo&) -> TPersistent* { return new Cls(); })
#define ZK_ABSTRACT_CLASS(Cls, ParentCls) ZK_CLASS_INFO_(Cls, ParentCls, nullptr)
// A class whose objects may stand for a registered row of their family:
// ClassType answers the row's record when RowInfo (an expression of the
// object giving a const TClassInfo* or nullptr) is set.
#define ZK_ROW_BASE_CLASS(Cls, ParentCls, RowInfo)                                                        \
    ZK_STATIC_CLASS_(Cls, ParentCls, [](const TClassInfo&) -> TPersistent* { return new Cls(); })       \
public:                                                                                                  \
    const TClassInfo& ClassType() const override                                                         \
    {                                                                                                    \
        const TClassInfo* row = RowInfo;                                                                 \
        return row ? *row : StaticClass();                                                               \
    }                                                                                                    \
private:
