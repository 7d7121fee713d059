#pragma once

// The program's command line: "folioforge /make PATH...", with which the file manager's menu
// entry hands files and folders over for an immediate conversion, and "folioforge PATH...",
// with which "Open with" puts files in the list without converting them.

#include <string>
#include <vector>

namespace app {

// The paths of a /make command line, each trimmed of surrounding spaces and double quotes, in
// the order given; empty for any other command line. arguments are the process arguments with
// the program itself first (argv as text); the switch is compared without regard to case and
// at least one path must follow it. Paths are not looked at.
std::vector<std::wstring> MakePathsOf(const std::vector<std::wstring>& arguments);

// The paths of an opening command line: every argument after the program when the first one
// is not the /make switch (in any case), each made absolute against the working folder (and
// lexically normalised) so that the list holds full paths; empty for a /make command line or
// none. Paths are not looked at.
std::vector<std::wstring> OpenPathsOf(const std::vector<std::wstring>& arguments);

// The text without the spaces and double quotes at either end.
std::wstring TrimSpacesAndQuotes(const std::wstring& text);

}  // namespace app
