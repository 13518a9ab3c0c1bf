// The library's global container: one bitmap list, image list, string list
// and wave list that every form can refer to, created at first use and kept
// until the program ends. Forms refer to its bitmap and image lists by name
// (the "Internal" property).
#pragma once

#include "ui/controls/UCLLists.h"

class TUCLContainer : public TUCLBaseController {
    ZK_CLASS(TUCLContainer, TUCLBaseController)
public:
    explicit TUCLContainer(QObject* Owner = nullptr);
    ~TUCLContainer() override;

    TUCLBitmapList& BitmapList() { return *FBitmapList; }
    TUCLImageList& ImageList() { return *FImageList; }
    TUCLStringList& StringList() { return *FStringList; }
    TUCLWaveList& WaveList() { return *FWaveList; }

    // A list of this container changed. A designed container that is not the
    // global one copies the list into the global container's list of its kind.
    void GetChange(TPersistent* Sender);
    bool Designing = false;

private:
    TUCLBitmapList* FBitmapList;
    TUCLImageList* FImageList;
    TUCLStringList* FStringList;
    TUCLWaveList* FWaveList;
};

// The one global container.
TUCLContainer& GlobalContainer();

// One of the global container's bitmap or image lists.
bool IsContainerList(const TUCLBaseController* List);
// The "Internal" value of such a list: "UCLBML30" or "UCLIML30"; empty for
// any other list (then nothing is written).
AnsiString WriteContainerListRef(const TUCLBaseController* List);
// The list a stored "Internal" value names; nullptr for any other value.
TUCLBaseController* ReadContainerListRef(const AnsiString& Value);
