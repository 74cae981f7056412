// The two ways VM options are written as text, each read by its own rules into the options
// themselves. (The command line and "Cmd" have a third: SplitArguments.)
#ifndef JVMHOST_OPTION_TOKENS_H
#define JVMHOST_OPTION_TOKENS_H

#include <string>
#include <vector>

// "Virtual Machine Parameters": only the blank separates; a double quote opens a section that
// the next double quote closes (a doubled closing quote leaves one quote behind), and the
// section's quotes are removed. A quote without a partner is an ordinary character.
std::vector<std::wstring> SplitVmParameterText(const std::wstring& text);

// An option file, as java reads its @files: blanks, tabs, form feeds and line ends separate;
// single or double quotes group, the other quote being literal inside; inside quotes a
// backslash escapes the next character (\n \r \t \f are those controls) and, before a line
// end, joins the next line without its leading blanks; outside quotes a backslash is literal;
// "#" outside quotes ends the option's unquoted text and starts a comment up to the next CR or
// LF; a quote left open ends at the line end.
std::vector<std::wstring> SplitOptionFileText(const std::wstring& text);

// A token list ("Virtual Machine Parameters", "Cmd") whose value was wholly quoted in the
// settings file lost those quotes to the profile reader: when its pieces are not all options
// ("-...") or option files ("@..."), the quotes held one token with blanks, which it becomes
// again. A wholly quoted list of options stays as it was split.
void KeepQuotedValueWhole(const std::wstring& value, bool bWhollyQuoted,
                          std::vector<std::wstring>& tokens);

#endif
