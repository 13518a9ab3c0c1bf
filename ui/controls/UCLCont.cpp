#include "ui/controls/UCLCont.h"

#include <QCoreApplication>

namespace {

TUCLContainer* TheContainer = nullptr;

void FreeGlobalContainer()
{
    delete TheContainer;
    TheContainer = nullptr;
}

constexpr const char* BitmapListRef = "UCLBML30";
constexpr const char* ImageListRef = "UCLIML30";

}   // namespace

TUCLContainer::TUCLContainer(QObject* Owner)
    : TUCLBaseController(Owner), FBitmapList(new TUCLBitmapList(this)), FImageList(new TUCLImageList(this)),
      FStringList(new TUCLStringList(this)), FWaveList(new TUCLWaveList(this))
{
    for (TUCLCustomComponent* list : std::initializer_list<TUCLCustomComponent*>{FBitmapList, FImageList, FStringList,
                                                                                  FWaveList})
        list->OnChange = [this](TPersistent* Sender) { GetChange(Sender); };
}

TUCLContainer::~TUCLContainer()
{
    for (TUCLCustomComponent* list : std::initializer_list<TUCLCustomComponent*>{FBitmapList, FImageList, FStringList,
                                                                                  FWaveList})
        list->OnChange = nullptr;
}

void TUCLContainer::GetChange(TPersistent* Sender)
{
    if (Designing && this != TheContainer) {
        TUCLContainer& global = GlobalContainer();
        if (Sender == FBitmapList)
            global.BitmapList().Assign(*FBitmapList);
        else if (Sender == FImageList)
            global.ImageList().Assign(*FImageList);
        else if (Sender == FStringList)
            global.StringList().Assign(*FStringList);
        else if (Sender == FWaveList)
            global.WaveList().Assign(*FWaveList);
    }
    Changed();
}

TUCLContainer& GlobalContainer()
{
    if (!TheContainer) {
        TheContainer = new TUCLContainer;
        qAddPostRoutine(FreeGlobalContainer);
    }
    return *TheContainer;
}

bool IsContainerList(const TUCLBaseController* List)
{
    return List && TheContainer &&
           (List == &TheContainer->BitmapList() || List == &TheContainer->ImageList());
}

AnsiString WriteContainerListRef(const TUCLBaseController* List)
{
    if (!IsContainerList(List))
        return {};
    return List == &TheContainer->BitmapList() ? BitmapListRef : ImageListRef;
}

TUCLBaseController* ReadContainerListRef(const AnsiString& Value)
{
    if (Value == BitmapListRef)
        return &GlobalContainer().BitmapList();
    if (Value == ImageListRef)
        return &GlobalContainer().ImageList();
    return nullptr;
}
