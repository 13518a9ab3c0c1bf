#include "engine/DdeInterfaces.h"

TDdeConversationFactory CreateDdeConversation;
bool DdeLinking = false;
std::vector<TDdeConversationEntry> DdeConversationList;
