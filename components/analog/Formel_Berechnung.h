// The formula evaluator. It builds no parse tree: it works on the text, finds
// the first function or operator, evaluates its operand texts by calling
// itself and splices the result back as a number text, until one number is
// left. Functions bind tightest, then "^" (right-associative), then every "/"
// of the text before any "*", then "-" and "+"; a leading "-" stays outside a
// power (-3^2 is -9). Every failure is the result "#".
//
// While it works, exponent signs are shielded ("E+" as "EP", "E-" as "EM") so
// that "+" and "-" in the text are operators only.
#pragma once

#include "platform/SysTypes.h"

// The result text of a formula: a number text or "#".
AnsiString EvaluateFormula(const AnsiString& formula);

// The 23-character number text of a value: a blank or "-", one digit, ".",
// 14 digits, "E", the exponent's sign and 4 digits (" 1.50000000000000E+0000").
// "#" for a value that is no finite number.
AnsiString FormulaNumberText(Extended value);
// The leading number of a text (blanks, sign, digits, ".", digits, an
// exponent); 0 when the text starts with no number.
Extended FormulaTextValue(const AnsiString& text);

// Blanks removed and sign pairs folded: "++" to "+", "+-" and "-+" to "-",
// "--" to "+", each pass once in that order; a leading "+" removed.
void NormalizeFormulaSigns(AnsiString& text);
// The text between the first occurrence of head (a name with its "(" or a
// lone "(") and its matching ")"; "#" when there is none.
AnsiString ExtractFunctionArgument(const AnsiString& head, const AnsiString& text);
// The operand before and after the first occurrence of the operator; "#" for
// unbalanced parentheses.
AnsiString LeftOperand(const AnsiString& op, const AnsiString& text);
AnsiString RightOperand(const AnsiString& op, const AnsiString& text);
void ShieldExponentSigns(AnsiString& text);
void UnshieldExponentSigns(AnsiString& text);
// Replaces the first occurrence of old, if any; true when it did.
bool ReplaceFirst(AnsiString& text, const AnsiString& old, const AnsiString& replacement);
