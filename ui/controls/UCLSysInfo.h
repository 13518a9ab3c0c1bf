// System information: user, machine, operating system, memory, screen,
// keyboard, lock keys, desktop options and the items of the current locale,
// read anew at every call from this system's sources (passwd, uname, procfs,
// sysfs, QLocale, QScreen), and the processor description from CPUID.
//
// Items without a counterpart here answer fixed values:
// RegisteredCompany and RegisteredOwner "(Unbekannt)" (there is no
// registration record); WinPath "/" and WinSysPath "/usr/lib"; the three
// free-resource items "0 %" (as on every system of the NT family);
// ScreenSaverDelay 0 and ScreenSaveActive false; KeyboardDelay 1 (500 ms);
// WarningBeep and DragFullWindows true; SnapToDefaultButton false;
// DefaultLanguageID 0; LocaleCalendarType "1", LocaleDigits "2", LocaleZero
// "1" and the two grouping items "3;0". LocaleListSeparator is ";" where the
// decimal separator is a comma, else ","; LocaleFirstWeekOfYear is "2" (the
// ISO rule) where weeks start on Monday, else "0".
//
// Texts are Windows-1252.
#pragma once

#include "ui/controls/UCLBase.h"

// The processor as CPUID reports it. Without CPUID (other processors) every
// item is 0, false or empty.
class TUCLCPUInfoObject : public TUCLObject {
    ZK_CLASS(TUCLCPUInfoObject, TUCLObject)
public:
    TUCLCPUInfoObject() { Refresh(); }
    void Refresh();

    // 0 IDString (12-character vendor identifier), 1 CPUName (brand string).
    AnsiString GetStringItem(int Index) const;
    // 0 Stepping, 1 Model, 2 Family.
    Integer GetIntegerItem(int Index) const;
    // 0 FPU, 1 VirtualModeExtensions, 2 DebuggingExtensions, 3
    // PageSizeExtensions, 4 TimeStampCoutner, 5 K86_ModelSpecificRegisters, 6
    // MachineCheckException, 7 CMP_XCHG_8B, 8 APIC, 9
    // MemoryTypeRangeRegisters, 10 GlobalPaging, 11 Cond_MOVE_Instruct, 12
    // MMX, 13 SysCallAndSysRet, 14 FPCond_MOVE_Instruct, 15 AMD3DNow (13-15
    // only on AMD processors), 16 ExistCPUInfo (asked anew).
    bool GetFlag(int Index) const;

    AnsiString IDString() const { return GetStringItem(0); }
    AnsiString CPUName() const { return GetStringItem(1); }
    Integer Stepping() const { return GetIntegerItem(0); }
    Integer Model() const { return GetIntegerItem(1); }
    Integer Family() const { return GetIntegerItem(2); }
    bool ExistCPUInfo() const { return GetFlag(16); }

private:
    AnsiString FVendor;
    AnsiString FName;
    Integer FStepping = 0, FModel = 0, FFamily = 0;
    bool FFlags[16] = {};
};

class TUCLSysInfo : public TUCLCustomComponent {
    ZK_CLASS(TUCLSysInfo, TUCLCustomComponent)
public:
    explicit TUCLSysInfo(QObject* Owner = nullptr) : TUCLCustomComponent(Owner) {}

    // The items by their property indexes; an index without an item gives
    // "", 0 or false.
    AnsiString GetStringInfo(int Index) const;
    Integer GetIntegerInfo(int Index) const;
    Int64 GetMemoryInfo(int Index) const;   // kilobytes: bytes div 1024
    bool GetBooleanInfo(int Index) const;
    // An index outside the table asks for item 0.
    AnsiString GetLocaleInfo(int Index) const;

    AnsiString CurrentUser() const { return GetStringInfo(0); }
    AnsiString RegisteredCompany() const { return GetStringInfo(1); }
    AnsiString RegisteredOwner() const { return GetStringInfo(2); }
    AnsiString VersionWIN() const { return GetStringInfo(3); }   // kernel "major.minor"
    AnsiString WinPath() const { return GetStringInfo(4); }
    AnsiString WinSysPath() const { return GetStringInfo(5); }
    AnsiString FreeGdiRes() const { return GetStringInfo(6); }
    AnsiString FreeUsrRes() const { return GetStringInfo(7); }
    AnsiString FreeSysRes() const { return GetStringInfo(8); }
    AnsiString MemoryLoaded() const { return GetStringInfo(9); }   // "37 %"
    AnsiString Platform() const { return GetStringInfo(10); }      // the kernel's name
    AnsiString TempPath() const { return GetStringInfo(11); }      // with a trailing "/"
    AnsiString Computername() const { return GetStringInfo(12); }
    AnsiString ProcessorType() const { return GetStringInfo(13); }
    AnsiString DefaultLanguageString() const { return GetStringInfo(14); }
    AnsiString TimeZone() const { return GetStringInfo(15); }

    Integer BuildNumber() const { return GetIntegerInfo(0); }   // the kernel's patch level
    Integer ScreenSaverDelay() const { return GetIntegerInfo(7); }
    Integer DefaultLanguageID() const { return GetIntegerInfo(8); }
    Integer TimeZoneDiff() const { return GetIntegerInfo(9); }   // minutes to add to local standard time for UTC
    Integer ScreenWidth() const { return GetIntegerInfo(10); }
    Integer ScreenHeight() const { return GetIntegerInfo(11); }
    Integer ScreenPPi() const { return GetIntegerInfo(12); }

    Int64 MemPhysTotal() const { return GetMemoryInfo(1); }
    Int64 MemPhysFree() const { return GetMemoryInfo(2); }
    Int64 MemVirtTotal() const { return GetMemoryInfo(3); }   // this process's address space
    Int64 MemVirtFree() const { return GetMemoryInfo(4); }
    Int64 MemPageTotal() const { return GetMemoryInfo(5); }   // memory and swap
    Int64 MemPageFree() const { return GetMemoryInfo(6); }
    Int64 MemVirtExtended() const { return GetMemoryInfo(7); }

    bool NumLockState() const { return GetBooleanInfo(0); }
    bool CapsLockState() const { return GetBooleanInfo(1); }
    bool ScrollLockState() const { return GetBooleanInfo(2); }
    bool WindowAnimation() const { return GetBooleanInfo(3); }
    bool WarningBeep() const { return GetBooleanInfo(4); }
    bool ScreenSaveActive() const { return GetBooleanInfo(5); }
    bool FontSmoothing() const { return GetBooleanInfo(6); }
    bool DragFullWindows() const { return GetBooleanInfo(7); }
    bool SnapToDefaultButton() const { return GetBooleanInfo(8); }
    bool PlusAvailable() const { return GetBooleanInfo(9); }

    Byte ProcessorNumber() const;
    Byte ColorDepth() const;
    Integer KeyboardDelay() const;   // 0..3, steps of 250 ms from 250 ms
    Integer KeyboardSpeed() const;   // 0..31, about 2.5 to 30 repeats per second

    AnsiString LocaleCalendarType() const { return GetLocaleInfo(0); }
    AnsiString LocaleCurrencyDigits() const { return GetLocaleInfo(1); }
    AnsiString LocaleICurrency() const { return GetLocaleInfo(2); }
    AnsiString LocaleDigits() const { return GetLocaleInfo(3); }
    AnsiString LocaleFirstDayOfWeek() const { return GetLocaleInfo(4); }   // "0" Monday .. "6" Sunday
    AnsiString LocaleFirstWeekOfYear() const { return GetLocaleInfo(5); }
    AnsiString LocaleZero() const { return GetLocaleInfo(6); }
    AnsiString LocaleMeasureSystem() const { return GetLocaleInfo(7); }    // "0" metric, "1" U.S.
    AnsiString LocaleNegativeCurrencyFormat() const { return GetLocaleInfo(8); }
    AnsiString LocaleNegativeNumberFormat() const { return GetLocaleInfo(9); }
    AnsiString LocaleTime() const { return GetLocaleInfo(10); }            // "0" 12-hour, "1" 24-hour
    AnsiString LocaleMorningSymbol() const { return GetLocaleInfo(11); }
    AnsiString LocaleAfternoonSymbol() const { return GetLocaleInfo(12); }
    AnsiString LocaleCurrencySymbol() const { return GetLocaleInfo(13); }
    AnsiString LocaleDateSeparator() const { return GetLocaleInfo(14); }
    AnsiString LocaleDecimalSeparator() const { return GetLocaleInfo(15); }
    AnsiString LocaleNumericGrouping() const { return GetLocaleInfo(16); }
    AnsiString LocaleListSeparator() const { return GetLocaleInfo(17); }
    AnsiString LocaleLongDateFormat() const { return GetLocaleInfo(18); }
    AnsiString LocaleMonthDecimalSeparator() const { return GetLocaleInfo(19); }
    AnsiString LocaleCurrencyGrouping() const { return GetLocaleInfo(20); }
    AnsiString LocaleThousandSeparator() const { return GetLocaleInfo(21); }
    AnsiString LocaleNegativeSign() const { return GetLocaleInfo(22); }
    AnsiString LocalePositiveSign() const { return GetLocaleInfo(23); }
    AnsiString LocaleShortDateFormat() const { return GetLocaleInfo(24); }
    AnsiString LocaleThousand() const { return GetLocaleInfo(25); }
    AnsiString LocaleTimeSeparator() const { return GetLocaleInfo(26); }
    AnsiString LocaleShortTimeFormat() const { return GetLocaleInfo(27); }   // the time format with seconds

    TUCLCPUInfoObject& ProcessorInfo() { return FProcessorInfo; }

private:
    TUCLCPUInfoObject FProcessorInfo;
};
