// Value texts: how the process converter writes numbers and quoted texts.
//
// Every function here replaces the content of its text argument and keeps
// its capacity, so a converter that reuses one text per cell allocates
// nothing once the text has grown. Numbers are written without any locale:
// the decimal point is always "." and there is no digit grouping, whatever
// C locale the host process runs in.
#ifndef QVKDC_EXAMINE_VALUETEXT_H
#define QVKDC_EXAMINE_VALUETEXT_H

#include <string>
#include <string_view>

// oText := iVal in signed decimal ("%d"), or empty when iVal is null.
void CnvIntVal(const int* iVal, std::string& oText);

// oText := iVal in fixed point with six decimals and "." as the decimal
// point ("%.6f": 2.5 gives 2.500000), or empty when iVal is null or the
// value is not finite.
void CnvRealVal(const double* iVal, std::string& oText);

// The same texts appended to ioText.
void AppendIntVal(const int* iVal, std::string& ioText);
void AppendRealVal(const double* iVal, std::string& ioText);

// Appends what EncloseDblQuot and then EncloseQuot make of iText: three
// double-quote characters, iText trimmed and three double-quote
// characters, or nothing when iText is blank.
void AppendQuotedText(std::string_view iText, std::string& ioText);

// The same for the comment item: every double-quote character and every
// comma of the text becomes an underscore, so that the field stays one
// field. (Trimming takes neither, so they are replaced after it.)
void AppendCommentText(std::string_view iText, std::string& ioText);

// Appends the tool check text of a tool whose tool text is iText: nothing
// when iText is blank; else one double-quote character, the tool-set form
// (its leading white space dropped), "=", two double-quote characters,
// iText trimmed and three double-quote characters. ioScratch is a work text
// that keeps its capacity from call to call.
void AppendToolCheckText(std::string_view iTSetForm, std::string_view iText,
                         std::string& ioScratch, std::string& ioText);

// Trims ioText (TrimSpace); an empty result stays empty, any other is
// enclosed in one double-quote character on each side. Nothing inside is
// escaped.
void EncloseQuot(std::string& ioText);

// The same with two double-quote characters on each side.
void EncloseDblQuot(std::string& ioText);

#endif  // QVKDC_EXAMINE_VALUETEXT_H
