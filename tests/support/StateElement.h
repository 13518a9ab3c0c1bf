// A front-panel element with run-time state for tests: its "Status" key in
// the run-state file, 0 by default.
#pragma once

#include "panel/framework/FP_Element.h"
#include "platform/IniFile.h"

class TStateElement : public TFP_Element {
    ZK_CLASS(TStateElement, TFP_Element)
public:
    Integer Status = 0;
    void ResetToDefault() override { Status = 0; }
    void SaveState(TCustomIniFile& file, const AnsiString& prefix) override
    {
        file.WriteInteger(prefix + "." + ElementName(), "Status", Status);
    }
    bool LoadState(TCustomIniFile& file, const AnsiString& prefix, bool checkOnly) override
    {
        const AnsiString section = prefix + "." + ElementName();
        if (checkOnly)
            return file.ValueExists(section, "Status");
        Status = file.ReadInteger(section, "Status", 0);
        return true;
    }
};
