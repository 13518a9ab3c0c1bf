#include "ui/controls/UCLBase.h"

#include <algorithm>

void TUCLObject::EndUpdate(bool Notify)
{
    FUpdating = false;
    if (Notify)
        Changed();
}

void TUCLObject::Changed()
{
    if (!FUpdating && OnChange)
        OnChange(this);
}

void TUCLObject::SubObjectChanged(TPersistent*)
{
    Changed();
}

void TUCLObject::Assign(const TUCLObject& Source)
{
    if (&Source == this)
        return;
    throw std::invalid_argument(AnsiString(Source.ClassName()) + " kann nicht zu " + ClassName() +
                                " zugewiesen werden");
}

void TUCLCustomComponent::EndUpdate(bool Notify)
{
    FUpdating = false;
    if (Notify)
        Changed();
}

void TUCLCustomComponent::Changed()
{
    if (!FUpdating && OnChange)
        OnChange(this);
}

TUCLChangeLink::~TUCLChangeLink()
{
    if (Sender)
        Sender->RemoveLink(this);
}

void TUCLChangeLink::Changed()
{
    if (OnChange)
        OnChange(Sender);
}

TUCLBaseController::~TUCLBaseController()
{
    while (!FClients.empty())
        RemoveLink(FClients.back());
}

void TUCLBaseController::AddLink(TUCLChangeLink* Link)
{
    if (!Link)
        return;
    Link->Sender = this;
    FClients.push_back(Link);
}

void TUCLBaseController::RemoveLink(TUCLChangeLink* Link)
{
    auto it = std::find(FClients.begin(), FClients.end(), Link);
    if (it == FClients.end())
        return;
    FClients.erase(it);
    // A link registered twice stays bound while an entry remains, so that
    // destroying it later still removes that entry instead of leaving it
    // dangling in the list.
    if (std::find(FClients.begin(), FClients.end(), Link) == FClients.end())
        Link->Sender = nullptr;
}

void TUCLBaseController::Changed()
{
    if (Updating() || Loading())
        return;
    TUCLCustomComponent::Changed();
    // A handler may unregister links: the count is taken once, but an index
    // beyond the shrunken list ends the round instead of reading past it.
    const std::size_t count = FClients.size();
    for (std::size_t i = 0; i < count && i < FClients.size(); ++i)
        FClients[i]->Changed();
}
