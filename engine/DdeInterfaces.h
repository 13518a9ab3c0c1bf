// What the board uses of the DDE components: the server component, which
// publishes one item per input under its board's name, and the client
// component with the conversation it shares with clients of the same service
// and topic. The link subsystem derives its components from these mix-ins.
#pragma once

#include "platform/SysTypes.h"

#include <functional>
#include <memory>
#include <vector>

class IDdeServer {
public:
    virtual ~IDdeServer() = default;
    virtual void SetBoardPath(const AnsiString& boardName) = 0;
    virtual void ClearItems() = 0;
    virtual void CreateItems() = 0;
};

class IDdeConversation {
public:
    virtual ~IDdeConversation() = default;
    // Opens the link; false when the partner does not answer.
    virtual bool SetLink(const AnsiString& service, const AnsiString& topic) = 0;
    // Fired when the partner closes the conversation.
    std::function<void(IDdeConversation*)> OnClose;
};

class IDdeClient {
public:
    virtual ~IDdeClient() = default;
    virtual AnsiString Service() const = 0;
    virtual AnsiString Topic() const = 0;
    // The client's item follows the shared conversation.
    virtual void AttachItem(IDdeConversation* conversation) = 0;
    IDdeConversation* Conversation = nullptr;
    bool Linked = false;
};

// Creates a conversation; installed by the link subsystem.
using TDdeConversationFactory = std::function<std::unique_ptr<IDdeConversation>()>;
extern TDdeConversationFactory CreateDdeConversation;
// True while the board links DDE clients or a client re-links.
extern bool DdeLinking;

// The client conversations of a run, one per service and topic, shared by the
// clients on every board and freed at the stop.
struct TDdeConversationEntry {
    AnsiString Service;
    AnsiString Topic;
    std::unique_ptr<IDdeConversation> Conversation;
};
extern std::vector<TDdeConversationEntry> DdeConversationList;
