// Roots of the control library: settings objects that report every change to
// the control owning them, the non-visual component base, and the
// controller/change-link pair through which a shared resource (an image list,
// a container) tells the controls that use it that it changed.
#pragma once

#include "platform/ClassRegistry.h"
#include "platform/SysTypes.h"

#include <QObject>

#include <functional>
#include <stdexcept>
#include <vector>

// A handler with the object that raised the event; empty = none assigned.
using TNotifyEvent = std::function<void(TPersistent* Sender)>;

// Failures of the library carry the program's German texts (CP1252 bytes).
class EOutOfResources : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EInvalidOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* SOutOfResources = "Nicht gen\xFCgend Timer verf\xFCgbar";

// Settings object (bevel, caption, fill ...): owned by one control, assigned
// rather than replaced. Setters compare, store, then call Changed.
class TUCLObject : public TPersistent {
    ZK_ABSTRACT_CLASS(TUCLObject, TPersistent)
public:
    TNotifyEvent OnChange;   // set by the owner, never stored

    bool Updating() const { return FUpdating; }
    // A flag, not a counter: one EndUpdate ends any number of BeginUpdate.
    void BeginUpdate() { FUpdating = true; }
    void EndUpdate(bool Notify);

    // OnChange(this) unless updating.
    virtual void Changed();
    // Handler for owned settings objects, so a change deep inside reaches the
    // control through one chain.
    virtual void SubObjectChanged(TPersistent* Sender);
    // Short description for design tools; empty here.
    virtual AnsiString SummaryText() const { return {}; }

    // Copies every published setting of the same class (or a descendant) and
    // fires one change; assigning an unrelated class raises
    // std::invalid_argument with the class library's text.
    virtual void Assign(const TUCLObject& Source);

private:
    bool FUpdating = false;
};

// The source of T's Assign as a T; nullptr when the work is done already:
// a source of another class goes to Base's Assign, and the object itself
// needs nothing.
template <class T, class Base>
const T* AssignSource(T& self, const TUCLObject& source)
{
    const auto* src = dynamic_cast<const T*>(&source);
    if (!src) {
        self.Base::Assign(source);
        return nullptr;
    }
    return src == &self ? nullptr : src;
}

// Non-visual component base; the owner is the QObject parent.
class TUCLCustomComponent : public QObject, public TPersistent {
    ZK_ABSTRACT_CLASS(TUCLCustomComponent, TPersistent)
public:
    explicit TUCLCustomComponent(QObject* Owner = nullptr) : QObject(Owner) {}

    TNotifyEvent OnChange;
    AnsiString About;   // stored with forms; no run-time effect

    bool Updating() const { return FUpdating; }
    void BeginUpdate() { FUpdating = true; }
    void EndUpdate(bool Notify);
    virtual void Changed();
    virtual void SubObjectChanged(TPersistent* Sender) { Changed(); }
    virtual void ThemeChanged() {}

    // Reading the component from a stream: BeginLoading, set the properties,
    // Loaded.
    bool Loading() const { return FLoading; }
    void BeginLoading() { FLoading = true; }
    virtual void Loaded() { FLoading = false; }

private:
    bool FUpdating = false;
    bool FLoading = false;
};

class TUCLBaseController;

// One subscription of a client to a controller; belongs to the client and
// unregisters itself when destroyed.
class TUCLChangeLink {
public:
    TUCLChangeLink() = default;
    TUCLChangeLink(const TUCLChangeLink&) = delete;
    TUCLChangeLink& operator=(const TUCLChangeLink&) = delete;
    virtual ~TUCLChangeLink();

    TUCLBaseController* Sender = nullptr;   // set while registered
    TNotifyEvent OnChange;                  // called with the controller as sender

    virtual void Changed();
};

// A component that others observe (image lists, containers).
class TUCLBaseController : public TUCLCustomComponent {
    ZK_ABSTRACT_CLASS(TUCLBaseController, TUCLCustomComponent)
public:
    explicit TUCLBaseController(QObject* Owner = nullptr) : TUCLCustomComponent(Owner) {}
    ~TUCLBaseController() override;

    // No duplicate check: a link added twice is notified twice.
    void AddLink(TUCLChangeLink* Link);
    // Removes the first entry equal to Link; an absent link is no error.
    void RemoveLink(TUCLChangeLink* Link);
    // Silent while updating or loading; else OnChange, then every link in
    // registration order.
    void Changed() override;

    const std::vector<TUCLChangeLink*>& Clients() const { return FClients; }

private:
    std::vector<TUCLChangeLink*> FClients;   // not owned
};
