// Fuzz entry for the formula evaluator: the input is a formula text (any
// bytes). The evaluation must end with a number text or the error marker;
// a crash, a sanitizer report, a hang or any other result is a fault.
#include "components/analog/Formel_Berechnung.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    AnsiString formula(reinterpret_cast<const char*>(data), size);
    NormalizeFormulaSigns(formula);
    const AnsiString result = EvaluateFormula(formula);
    if (result != "#" && result != "0" && result.size() != 23)
        std::abort();
    FormulaTextValue(result);
    return 0;
}
