// Stands in for the browser in the tests' Wine prefix, which opens http and https addresses
// with it: writes its command line (UTF-8) to shell-open.txt in its current directory, which
// is the directory of the program that asked the shell to open the address.
#include "command_line_file.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return WriteCommandLineFile(L"shell-open.txt") ? 0 : 1;
}
